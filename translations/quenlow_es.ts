<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>FormHeader</name>
    <message>
        <source>it begins or ends with a blank.</source>
        <translation>empieza o termina con un espacio.</translation>
    </message>
    <message>
        <source>it contains a control character or a line break.</source>
        <translation>contiene un carácter de control o un salto de línea.</translation>
    </message>
    <message>
        <source>it contains a character that cannot be part of a file name.</source>
        <translation>contiene un carácter que no puede formar parte de un nombre de archivo.</translation>
    </message>
    <message>
        <source>it contains &apos;/&apos; or &apos;\&apos;, which would place the form&apos;s files outside the program&apos;s folders.</source>
        <translation>contiene «/» o «\», lo que pondría los archivos del formulario fuera de las carpetas del programa.</translation>
    </message>
    <message>
        <source>it contains a &apos;.&apos;, and a form is found again by the part of its page name before the first &apos;.&apos;.</source>
        <translation>contiene un «.», y un formulario se reconoce por la parte del nombre de su página anterior al primer «.».</translation>
    </message>
    <message>
        <source>a page of that name comes with Quenlow and is not a form.</source>
        <translation>una página con ese nombre viene con Quenlow y no es un formulario.</translation>
    </message>
    <message>
        <source>it is too long for a file name.</source>
        <translation>es demasiado largo para un nombre de archivo.</translation>
    </message>
</context>
<context>
    <name>FormNameDialog</name>
    <message>
        <source>%1 (%2). Nothing has been changed.</source>
        <translation>%1 (%2). No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>Rename Form</source>
        <translation>Cambiar el nombre del formulario</translation>
    </message>
    <message>
        <source>New name for the form &apos;%1&apos;:</source>
        <translation>Nuevo nombre para el formulario «%1»:</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be renamed</source>
        <translation>No se pudo cambiar el nombre del formulario «%1»</translation>
    </message>
    <message>
        <source>Copy Form</source>
        <translation>Copiar formulario</translation>
    </message>
    <message>
        <source>Name of the copy of the form &apos;%1&apos;:</source>
        <translation>Nombre de la copia del formulario «%1»:</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has 1 answer. Copy the answers too?</source>
        <translation>El formulario «%1» tiene 1 respuesta. ¿Copiar también las respuestas?</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has %2 answers. Copy the answers too?</source>
        <translation>El formulario «%1» tiene %2 respuestas. ¿Copiar también las respuestas?</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be copied</source>
        <translation>No se pudo copiar el formulario «%1»</translation>
    </message>
    <message>
        <source>Delete the form &apos;%1&apos;? Its page and collection file will be deleted.</source>
        <translation>¿Eliminar el formulario «%1»? Se eliminarán su página y su archivo de colección.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has 1 answer. Delete the answers too? If not, they are kept in the table &apos;%2&apos;.</source>
        <translation>El formulario «%1» tiene 1 respuesta. ¿Eliminar también las respuestas? Si no, se conservan en la tabla «%2».</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has %2 answers. Delete the answers too? If not, they are kept in the table &apos;%3&apos;.</source>
        <translation>El formulario «%1» tiene %2 respuestas. ¿Eliminar también las respuestas? Si no, se conservan en la tabla «%3».</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be deleted</source>
        <translation>No se pudo eliminar el formulario «%1»</translation>
    </message>
</context>
<context>
    <name>FormStates</name>
    <message>
        <source>Closed</source>
        <translation>Cerrado</translation>
    </message>
    <message>
        <source>Closed since %1</source>
        <translation>Cerrado desde %1</translation>
    </message>
    <message>
        <source>Full (%1 answers)</source>
        <translation>Completo (%1 respuestas)</translation>
    </message>
    <message>
        <source>Open until %1</source>
        <translation>Abierto hasta %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>You don&apos;t currently have a Form Open to add a %1 to.</source>
        <translation>No hay ningún formulario abierto al que añadir «%1».</translation>
    </message>
    <message>
        <source>Help Pages</source>
        <translation>Páginas de ayuda</translation>
    </message>
    <message>
        <source>Current Form</source>
        <translation>Formulario actual</translation>
    </message>
    <message>
        <source>Current Database Table</source>
        <translation>Tabla actual de la base de datos</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Radio Button Menu</source>
        <translation>Botones de opción</translation>
    </message>
    <message>
        <source>Check Box</source>
        <translation>Casilla de verificación</translation>
    </message>
    <message>
        <source>Text Area</source>
        <translation>Área de texto</translation>
    </message>
    <message>
        <source>Pull Down Menu</source>
        <translation>Lista desplegable</translation>
    </message>
    <message>
        <source>Text Field</source>
        <translation>Campo de texto</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
</context>
<context>
    <name>NewFormOperations</name>
    <message>
        <source>Sorry but there is already a Form and DB Table with the name &apos;%1&apos;.Please enter another name for the HTML form file.</source>
        <translation>Ya existen un formulario y una tabla con el nombre «%1». Escriba otro nombre para el archivo del formulario HTML.</translation>
    </message>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2). No form has been created.</source>
        <translation>No se puede abrir la base de datos de respuestas «%1» (%2). No se ha creado ningún formulario.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; could not be created in the answers database (%2). No form has been created.</source>
        <translation>No se pudo crear la tabla «%1» en la base de datos de respuestas (%2). No se ha creado ningún formulario.</translation>
    </message>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2).</source>
        <translation>No se puede abrir la base de datos de respuestas «%1» (%2).</translation>
    </message>
    <message>
        <source>HTML File name Text Box is empty. Please enter a name for the new HTML Form.</source>
        <translation>El cuadro del nombre del archivo HTML está vacío. Escriba un nombre para el nuevo formulario HTML.</translation>
    </message>
    <message>
        <source>The name &apos;%1&apos; cannot be used for a form: %2 Please enter another name for the HTML form file.</source>
        <translation>El nombre «%1» no se puede usar para un formulario: %2 Escriba otro nombre para el archivo del formulario HTML.</translation>
    </message>
</context>
<context>
    <name>OpenForm</name>
    <message>
        <source>1 answer</source>
        <translation>1 respuesta</translation>
    </message>
    <message>
        <source>%1 answers</source>
        <translation>%1 respuestas</translation>
    </message>
</context>
<context>
    <name>OutcomeMessages</name>
    <message>
        <source>Sorry, but you don&apos;t have a method selected.</source>
        <translation>No hay ningún elemento seleccionado.</translation>
    </message>
    <message>
        <source>This form already holds %1 elements, the most a form can hold. Please remove an element before adding another.</source>
        <translation>Este formulario ya tiene %1 elementos, el máximo que puede tener un formulario. Quite un elemento antes de añadir otro.</translation>
    </message>
    <message>
        <source>The element counter of this form has reached its limit of %1.</source>
        <translation>El contador de elementos de este formulario ha llegado a su límite de %1.</translation>
    </message>
    <message>
        <source>Sorry but you cannot move the Form Header - it must remain at the top of the form</source>
        <translation>No se puede mover la cabecera del formulario: debe quedar en la parte superior</translation>
    </message>
    <message>
        <source>You cannot move the Header.</source>
        <translation>No se puede mover la cabecera.</translation>
    </message>
    <message>
        <source>Can&apos;t move method above the HTML Header !</source>
        <translation>¡No se puede mover un elemento por encima de la cabecera HTML!</translation>
    </message>
    <message>
        <source>You cannot move the Submit Button above this Form Element.</source>
        <translation>No se puede mover el botón de envío por encima de este elemento.</translation>
    </message>
    <message>
        <source>Can&apos;t move method there - You&apos;ve reached the end of the collection !</source>
        <translation>No se puede mover el elemento ahí: ¡ha llegado al final de la lista!</translation>
    </message>
    <message>
        <source>You cannot move this Form Element below the Submit Button</source>
        <translation>No se puede mover este elemento por debajo del botón de envío</translation>
    </message>
    <message>
        <source>You cannot remove &apos;%1&apos; Methods since they are essential. You can however edit and move them as you wish.</source>
        <translation>Los elementos «%1» no se pueden quitar porque son imprescindibles. Sin embargo, puede editarlos y moverlos como quiera.</translation>
    </message>
    <message>
        <source>The table containing the data for the form %1 is missing.</source>
        <translation>Falta la tabla con los datos del formulario %1.</translation>
    </message>
    <message>
        <source>You already have a User Instruction called %1. Please call it something else.</source>
        <translation>Ya existe una pregunta llamada %1. Elija otro nombre.</translation>
    </message>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2). Nothing has been changed.</source>
        <translation>No se puede abrir la base de datos de respuestas «%1» (%2). No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The answers column for &apos;%1&apos; could not be added (%2). Nothing has been changed.</source>
        <translation>No se pudo añadir la columna de respuestas de «%1» (%2). No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The answers column for &apos;%1&apos; could not be renamed (%2). Nothing has been changed.</source>
        <translation>No se pudo cambiar el nombre de la columna de respuestas de «%1» (%2). No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The answers column for &apos;%1&apos; could not be removed (%2). Nothing has been changed.</source>
        <translation>No se pudo quitar la columna de respuestas de «%1» (%2). No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>An error occurred removing column &apos;%1&apos; from the table %2.</source>
        <translation>Se produjo un error al quitar la columna «%1» de la tabla %2.</translation>
    </message>
    <message>
        <source>The change cannot be made: it could not be recorded in &apos;%1&apos; (%2). Nothing has been changed.</source>
        <translation>No se puede hacer el cambio: no se pudo registrar en «%1» (%2). No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The collection file &apos;%1&apos; could not be saved (%2). The previous file has been kept.</source>
        <translation>No se pudo guardar el archivo de colección «%1» (%2). Se ha conservado el archivo anterior.</translation>
    </message>
    <message>
        <source>The page &apos;%1&apos; could not be written (%2). The previous page has been kept.</source>
        <translation>No se pudo escribir la página «%1» (%2). Se ha conservado la página anterior.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be published to the answers database (%2). The page file has been written; collection servers still show the form as it was published before.</source>
        <translation>No se pudo publicar el formulario «%1» en la base de datos de respuestas (%2). Se ha escrito el archivo de la página; los servidores de recogida siguen mostrando el formulario tal como se publicó antes.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not the name of a form page. Please choose a page whose name ends in &quot;.html&quot;.</source>
        <translation>«%1» no es el nombre de una página de formulario. Elija una página cuyo nombre termine en «.html».</translation>
    </message>
    <message>
        <source>The field &apos;%1&apos; contains data - Are you sure you wish to remove it ?</source>
        <translation>El campo «%1» contiene datos. ¿Seguro que quiere quitarlo?</translation>
    </message>
    <message>
        <source>Sorry, but Collection text file for the Form &apos;%1&apos; could not be found. Do you wish just to open the HTML Form file ?</source>
        <translation>No se encontró el archivo de colección del formulario «%1». ¿Quiere abrir solo el archivo del formulario HTML?</translation>
    </message>
    <message>
        <source>Sorry, but Collection text file for the Form &apos;%1&apos; could not be read (%2). Do you wish just to open the HTML Form file ?</source>
        <translation>No se pudo leer el archivo de colección del formulario «%1» (%2). ¿Quiere abrir solo el archivo del formulario HTML?</translation>
    </message>
    <message>
        <source>Sorry, but Collection text file for the Form &apos;%1&apos; is damaged (%2). Do you wish just to open the HTML Form file ?</source>
        <translation>El archivo de colección del formulario «%1» está dañado (%2). ¿Quiere abrir solo el archivo del formulario HTML?</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>Quenlow cannot start: %1.</source>
        <translation>Quenlow no puede iniciarse: %1.</translation>
    </message>
    <message>
        <source>The answers are still stored in &apos;%1&apos;.</source>
        <translation>Las respuestas se siguen guardando en «%1».</translation>
    </message>
    <message>
        <source>The answers are now stored in &apos;%1&apos;.</source>
        <translation>Las respuestas se guardan ahora en «%1».</translation>
    </message>
    <message>
        <source> The forms could not be published to it (%1).</source>
        <translation> No se pudieron publicar allí los formularios (%1).</translation>
    </message>
    <message>
        <source> These forms could not be published to it: %1.</source>
        <translation> Estos formularios no se pudieron publicar allí: %1.</translation>
    </message>
    <message>
        <source> The answers being collected go to the previous database until Collect Answers is stopped and started again.</source>
        <translation> Las respuestas que se están recogiendo van a la base de datos anterior hasta que se detenga y vuelva a iniciar la recogida.</translation>
    </message>
    <message>
        <source>Quenlow has stopped collecting answers.</source>
        <translation>Quenlow ha dejado de recoger respuestas.</translation>
    </message>
    <message>
        <source>The forms cannot be published to the answers database (%1). No answers are being collected.</source>
        <translation>No se pueden publicar los formularios en la base de datos de respuestas (%1). No se están recogiendo respuestas.</translation>
    </message>
    <message>
        <source>These forms could not be published to the answers database and cannot be answered: %1.</source>
        <translation>Estos formularios no se pudieron publicar en la base de datos de respuestas y no se pueden responder: %1.</translation>
    </message>
    <message>
        <source>The answers cannot be collected: %1</source>
        <translation>No se pueden recoger las respuestas: %1</translation>
    </message>
    <message>
        <source>Collecting answers again, as when Quenlow was last closed: %1</source>
        <translation>Se vuelven a recoger respuestas, como la última vez que se cerró Quenlow: %1</translation>
    </message>
    <message>
        <source>Quenlow was collecting answers when it was last closed, but cannot start again: %1</source>
        <translation>Quenlow estaba recogiendo respuestas cuando se cerró por última vez, pero no puede volver a empezar: %1</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswersStoreForm</name>
    <message>
        <source>Answers Database</source>
        <translation>Base de datos de respuestas</translation>
    </message>
    <message>
        <source>The database in the program folder (formAnswers.mdb)</source>
        <translation>La base de datos de la carpeta del programa (formAnswers.mdb)</translation>
    </message>
    <message>
        <source>A PostgreSQL database, shared with collection servers elsewhere:</source>
        <translation>Una base de datos PostgreSQL, compartida con servidores de recogida en otros lugares:</translation>
    </message>
    <message>
        <source>The password comes from PGPASSWORD or the file ~/.pgpass; it is never kept by Quenlow. The choice is remembered.</source>
        <translation>La contraseña se toma de PGPASSWORD o del archivo ~/.pgpass; Quenlow nunca la guarda. La elección se recuerda.</translation>
    </message>
    <message>
        <source>The address of a PostgreSQL database begins with postgresql://, for example postgresql://quenlow@db.example.org:5432/answers.</source>
        <translation>La dirección de una base de datos PostgreSQL empieza por postgresql://, por ejemplo postgresql://quenlow@db.example.org:5432/answers.</translation>
    </message>
    <message>
        <source>Please leave the password out of the address: give it through PGPASSWORD or the file ~/.pgpass instead.</source>
        <translation>No incluya la contraseña en la dirección: indíquela mediante PGPASSWORD o el archivo ~/.pgpass.</translation>
    </message>
</context>
<context>
    <name>quenlow::ChartControl</name>
    <message>
        <source>No answers yet</source>
        <translation>Aún no hay respuestas</translation>
    </message>
    <message>
        <source>The chart cannot be saved to &apos;%1&apos;: %2.</source>
        <translation>No se puede guardar el gráfico en «%1»: %2.</translation>
    </message>
    <message>
        <source>No file name was given for the chart picture.</source>
        <translation>No se indicó ningún nombre de archivo para la imagen del gráfico.</translation>
    </message>
    <message>
        <source>the file name has no extension to tell the picture format (.bmp, .png or .jpg)</source>
        <translation>el nombre del archivo no tiene una extensión que indique el formato de imagen (.bmp, .png o .jpg)</translation>
    </message>
    <message>
        <source>&apos;.%1&apos; is not a picture format the program can write (use .bmp, .png or .jpg)</source>
        <translation>«.%1» no es un formato de imagen que el programa pueda escribir (use .bmp, .png o .jpg)</translation>
    </message>
    <message>
        <source>the folder &apos;%1&apos; does not exist</source>
        <translation>la carpeta «%1» no existe</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
</context>
<context>
    <name>quenlow::CollectAnswersForm</name>
    <message>
        <source>Collect Answers</source>
        <translation>Recoger respuestas</translation>
    </message>
    <message>
        <source>Only this computer</source>
        <translation>Solo este equipo</translation>
    </message>
    <message>
        <source>People on my network</source>
        <translation>Personas de mi red</translation>
    </message>
    <message>
        <source>any free port</source>
        <translation>cualquier puerto libre</translation>
    </message>
    <message>
        <source>none: plain HTTP</source>
        <translation>ninguno: HTTP simple</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>HTTPS Certificate</source>
        <translation>Certificado HTTPS</translation>
    </message>
    <message>
        <source>HTTPS Private Key</source>
        <translation>Clave privada HTTPS</translation>
    </message>
    <message>
        <source>Start Collecting</source>
        <translation>Empezar a recoger</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Who may fill your forms in?</source>
        <translation>¿Quién puede rellenar sus formularios?</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>HTTPS certificate :</source>
        <translation>Certificado HTTPS:</translation>
    </message>
    <message>
        <source>HTTPS key :</source>
        <translation>Clave HTTPS:</translation>
    </message>
    <message>
        <source>Phones and computers on the same network as this one (the same Wi-Fi or office network) can open your forms. People elsewhere on the internet cannot.</source>
        <translation>Los teléfonos y equipos de la misma red que este (la misma wifi o red de la oficina) pueden abrir sus formularios. Las personas de otros lugares de internet, no.</translation>
    </message>
    <message>
        <source>Only a web browser on this computer can open your forms: useful to try a form out. Nobody else can reach it.</source>
        <translation>Solo un navegador de este equipo puede abrir sus formularios: útil para probar un formulario. Nadie más puede acceder.</translation>
    </message>
    <message>
        <source>PEM files (*.pem *.crt *.key);;All files (*)</source>
        <translation>Archivos PEM (*.pem *.crt *.key);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>HTTPS needs both the certificate and its private key; leave both empty for plain HTTP.</source>
        <translation>HTTPS necesita el certificado y su clave privada; deje ambos vacíos para usar HTTP simple.</translation>
    </message>
</context>
<context>
    <name>quenlow::CollectedFormsPanel</name>
    <message>
        <source>Forms:</source>
        <translation>Formularios:</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Respuestas</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Close Form</source>
        <translation>Cerrar formulario</translation>
    </message>
    <message>
        <source>Open Form</source>
        <translation>Abrir formulario</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be closed (%2).</source>
        <translation>No se pudo cerrar el formulario «%1» (%2).</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be opened (%2).</source>
        <translation>No se pudo abrir el formulario «%1» (%2).</translation>
    </message>
</context>
<context>
    <name>quenlow::CollectionAddresses</name>
    <message>
        <source>Collecting Answers</source>
        <translation>Recogiendo respuestas</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers, but this computer has no network address that other devices could reach. Connect it to a network and start again.</source>
        <translation>Quenlow está recogiendo respuestas, pero este equipo no tiene ninguna dirección de red a la que puedan llegar otros dispositivos. Conéctelo a una red y vuelva a empezar.</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers. People on the same network as this computer open one of these addresses (a phone can scan the code); this computer&apos;s own browser can use them too. They do not work from the internet.</source>
        <translation>Quenlow está recogiendo respuestas. Las personas de la misma red que este equipo abren una de estas direcciones (un teléfono puede escanear el código); el navegador de este equipo también puede usarlas. No funcionan desde internet.</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers. This address works in a web browser on this computer only.</source>
        <translation>Quenlow está recogiendo respuestas. Esta dirección solo funciona en un navegador de este equipo.</translation>
    </message>
    <message>
        <source>Anyone with the form&apos;s address can see every answer to it: the form lets the people who answer it view its answers table.</source>
        <translation>Cualquiera que tenga la dirección del formulario puede ver todas sus respuestas: el formulario permite a quienes lo responden ver su tabla de respuestas.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Results: %1</source>
        <translation>Resultados: %1</translation>
    </message>
</context>
<context>
    <name>quenlow::CreateNewDatabase</name>
    <message>
        <source>Create/Open Database</source>
        <translation>Crear/abrir base de datos</translation>
    </message>
    <message>
        <source>Sorry, but the answers database &apos;%1&apos; does not hold the tables of answers for the forms yet.</source>
        <translation>La base de datos de respuestas «%1» aún no contiene las tablas de respuestas de los formularios.</translation>
    </message>
    <message>
        <source>Sorry, but the Database &apos;formAnswers.mdb&apos; required to hold the tables of answers for each form cannot be found.</source>
        <translation>No se encuentra la base de datos «formAnswers.mdb», necesaria para guardar las tablas de respuestas de cada formulario.</translation>
    </message>
    <message>
        <source>To create the database, click the &apos;Create Database&apos; button.</source>
        <translation>Para crear la base de datos, pulse el botón «Crear base de datos».</translation>
    </message>
    <message>
        <source>Create Database</source>
        <translation>Crear base de datos</translation>
    </message>
    <message>
        <source>The database &apos;%1&apos; could not be created (%2).</source>
        <translation>No se pudo crear la base de datos «%1» (%2).</translation>
    </message>
</context>
<context>
    <name>quenlow::CreateNewForm</name>
    <message>
        <source>Create New Form</source>
        <translation>Crear formulario nuevo</translation>
    </message>
    <message>
        <source>Please enter desired name for HTML file and corresponding database table :</source>
        <translation>Escriba el nombre que desea para el archivo HTML y su tabla de la base de datos:</translation>
    </message>
    <message>
        <source>Generate HTML Form &amp;&amp; Corresponding Database Table for form answers</source>
        <translation>Generar el formulario HTML &amp;&amp; su tabla de respuestas en la base de datos</translation>
    </message>
    <message>
        <source>Form Attributes</source>
        <translation>Propiedades del formulario</translation>
    </message>
    <message>
        <source>Form Title :</source>
        <translation>Título del formulario:</translation>
    </message>
    <message>
        <source>Title Font Size :</source>
        <translation>Tamaño de letra del título:</translation>
    </message>
    <message>
        <source>Title Justification :</source>
        <translation>Alineación del título:</translation>
    </message>
    <message>
        <source>Form Background :</source>
        <translation>Fondo del formulario:</translation>
    </message>
    <message>
        <source>Tick box if you wish the HTML Form user to view the Database Table after their input</source>
        <translation>Marque la casilla si quiere que quien responda vea la tabla de la base de datos después de enviar</translation>
    </message>
    <message>
        <source>Anyone with the form&apos;s address can see every answer to it.</source>
        <translation>Cualquiera que tenga la dirección del formulario puede ver todas sus respuestas.</translation>
    </message>
    <message>
        <source>Collecting Answers</source>
        <translation>Recogiendo respuestas</translation>
    </message>
    <message>
        <source>Show results to respondents</source>
        <translation>Mostrar los resultados a quienes responden</translation>
    </message>
    <message>
        <source>Accepting answers</source>
        <translation>Acepta respuestas</translation>
    </message>
    <message>
        <source>Closing time :</source>
        <translation>Hora de cierre:</translation>
    </message>
    <message>
        <source>Local date and time after which no answers are taken; empty for none.</source>
        <translation>Fecha y hora local a partir de la cual no se aceptan respuestas; vacío para ninguna.</translation>
    </message>
    <message>
        <source>Answer limit :</source>
        <translation>Límite de respuestas:</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>sin límite</translation>
    </message>
    <message>
        <source>How many answers are taken; empty for no limit.</source>
        <translation>Cuántas respuestas se aceptan; vacío para no poner límite.</translation>
    </message>
    <message>
        <source>Thank-you message :</source>
        <translation>Mensaje de agradecimiento:</translation>
    </message>
    <message>
        <source>the usual thanks</source>
        <translation>el agradecimiento habitual</translation>
    </message>
    <message>
        <source>Offer &quot;Send another answer&quot;</source>
        <translation>Ofrecer «Enviar otra respuesta»</translation>
    </message>
    <message>
        <source>Form language :</source>
        <translation>Idioma del formulario:</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Alemán</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>If the location of the database has altered you may alter the databse location text within the form by modifying the full path location below :</source>
        <translation>Si la ubicación de la base de datos ha cambiado, puede modificarla en el formulario cambiando la ruta completa de abajo:</translation>
    </message>
    <message>
        <source>Update Form Title</source>
        <translation>Actualizar título del formulario</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Edit Form Attributes</source>
        <translation>Editar propiedades del formulario</translation>
    </message>
    <message>
        <source>The closing time &apos;%1&apos; is not a date and time. Please enter it as YYYY-MM-DD HH:MM (for example 2026-06-30 17:00), or leave it empty for no closing time.</source>
        <translation>La hora de cierre «%1» no es una fecha con hora. Escríbala como AAAA-MM-DD HH:MM (por ejemplo 2026-06-30 17:00) o déjela vacía para no cerrar.</translation>
    </message>
    <message>
        <source>The answer limit &apos;%1&apos; is not a whole number of answers. Please enter a number of 1 or more, or leave it empty for no limit.</source>
        <translation>El límite de respuestas «%1» no es un número entero. Escriba un número igual o mayor que 1, o déjelo vacío para no poner límite.</translation>
    </message>
    <message>
        <source>Edit Header</source>
        <translation>Editar cabecera</translation>
    </message>
    <message>
        <source>New Form Title</source>
        <translation>Nuevo título de formulario</translation>
    </message>
    <message>
        <source>YYYY-MM-DD HH:MM</source>
        <translation>AAAA-MM-DD HH:MM</translation>
    </message>
</context>
<context>
    <name>quenlow::DocumentPreview</name>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Guardado en %1</translation>
    </message>
    <message>
        <source>(%1 more rows of this table are not shown here.)</source>
        <translation>(Aquí no se muestran otras %1 filas de esta tabla.)</translation>
    </message>
</context>
<context>
    <name>quenlow::FormHistory</name>
    <message>
        <source>The answers to &apos;%1&apos; cannot be brought back, so the earlier changes to this form can no longer be undone.</source>
        <translation>Las respuestas a «%1» no se pueden recuperar, así que los cambios anteriores de este formulario ya no se pueden deshacer.</translation>
    </message>
    <message>
        <source>The change cannot be undone: the answers database cannot be opened (%1).</source>
        <translation>No se puede deshacer el cambio: no se puede abrir la base de datos de respuestas (%1).</translation>
    </message>
    <message>
        <source>The change cannot be undone: the answers table could not be changed (%1). Nothing has been changed.</source>
        <translation>No se puede deshacer el cambio: no se pudo modificar la tabla de respuestas (%1). No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>The change cannot be undone: &apos;%1&apos; could not be written (%2).</source>
        <translation>No se puede deshacer el cambio: no se pudo escribir «%1» (%2).</translation>
    </message>
    <message>
        <source>The answers to &apos;%1&apos; are kept in the answers table.</source>
        <translation>Las respuestas a «%1» se conservan en la tabla de respuestas.</translation>
    </message>
</context>
<context>
    <name>quenlow::FormNameDialog</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>quenlow::MainForm</name>
    <message>
        <source>View Current Form Database Table in HTML</source>
        <translation>Ver la tabla del formulario actual en HTML</translation>
    </message>
    <message>
        <source>Report Table Data and Graphs to Word Document</source>
        <translation>Llevar datos y gráficos a un documento de Word</translation>
    </message>
    <message>
        <source>View Help Pages</source>
        <translation>Ver páginas de ayuda</translation>
    </message>
    <message>
        <source>View Current Form</source>
        <translation>Ver formulario actual</translation>
    </message>
    <message>
        <source>Add To HTML Form</source>
        <translation>Añadir al formulario HTML</translation>
    </message>
    <message>
        <source>Horizontal Line Rule</source>
        <translation>Línea horizontal</translation>
    </message>
    <message>
        <source>Submit Button</source>
        <translation>Botón de envío</translation>
    </message>
    <message>
        <source>Radio Buttons</source>
        <translation>Botones de opción</translation>
    </message>
    <message>
        <source>Check Boxes</source>
        <translation>Casillas de verificación</translation>
    </message>
    <message>
        <source>Text Area</source>
        <translation>Área de texto</translation>
    </message>
    <message>
        <source>Pull Down Menu</source>
        <translation>Lista desplegable</translation>
    </message>
    <message>
        <source>Text Field</source>
        <translation>Campo de texto</translation>
    </message>
    <message>
        <source>Text/Added instructions</source>
        <translation>Texto/instrucciones añadidas</translation>
    </message>
    <message>
        <source>Alter Form Layout</source>
        <translation>Cambiar la disposición</translation>
    </message>
    <message>
        <source>Remove Form Method</source>
        <translation>Quitar elemento</translation>
    </message>
    <message>
        <source>Edit Form Method</source>
        <translation>Editar elemento</translation>
    </message>
    <message>
        <source>Move Method Up Form</source>
        <translation>Subir elemento</translation>
    </message>
    <message>
        <source>Move Method Down Form</source>
        <translation>Bajar elemento</translation>
    </message>
    <message>
        <source>Current Form</source>
        <translation>Formulario actual</translation>
    </message>
    <message>
        <source>Current HTML Form Name :</source>
        <translation>Formulario HTML actual:</translation>
    </message>
    <message>
        <source>Collect Answers</source>
        <translation>Recoger respuestas</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>&amp;Form</source>
        <translation>&amp;Formulario</translation>
    </message>
    <message>
        <source>Create New Form</source>
        <translation>Crear formulario nuevo</translation>
    </message>
    <message>
        <source>Open Form</source>
        <translation>Abrir formulario</translation>
    </message>
    <message>
        <source>Collected Forms…</source>
        <translation>Formularios en recogida…</translation>
    </message>
    <message>
        <source>Collect Again When Quenlow Starts</source>
        <translation>Volver a recoger al iniciar Quenlow</translation>
    </message>
    <message>
        <source>Answers Database...</source>
        <translation>Base de datos de respuestas…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>&amp;Add To Form</source>
        <translation>&amp;Añadir al formulario</translation>
    </message>
    <message>
        <source>Text/Added Instructions</source>
        <translation>Texto/instrucciones añadidas</translation>
    </message>
    <message>
        <source>Select Pull Down Menu</source>
        <translation>Lista desplegable</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Current HTML Form</source>
        <translation>Formulario HTML actual</translation>
    </message>
    <message>
        <source>Current Database Table in HTML</source>
        <translation>Tabla actual de la base de datos en HTML</translation>
    </message>
    <message>
        <source>Help Pages</source>
        <translation>Páginas de ayuda</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open.</source>
        <translation>No hay ningún formulario abierto.</translation>
    </message>
    <message>
        <source>Rename Form…</source>
        <translation>Cambiar nombre del formulario…</translation>
    </message>
    <message>
        <source>Copy Form…</source>
        <translation>Copiar formulario…</translation>
    </message>
    <message>
        <source>Delete Form…</source>
        <translation>Eliminar formulario…</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers: people may be filling a form in right now, and their answers would be lost. Close Quenlow and stop collecting answers?</source>
        <translation>Quenlow está recogiendo respuestas: puede que alguien esté rellenando un formulario ahora mismo y sus respuestas se perderían. ¿Cerrar Quenlow y dejar de recoger respuestas?</translation>
    </message>
    <message>
        <source>The page &apos;%1&apos; was opened without its collection file and cannot be edited.</source>
        <translation>La página «%1» se abrió sin su archivo de colección y no se puede editar.</translation>
    </message>
    <message>
        <source>You already have a submit button in the Form. You may however edit it</source>
        <translation>El formulario ya tiene un botón de envío. Sin embargo, puede editarlo</translation>
    </message>
    <message>
        <source>You do not have a Form Method Selected.</source>
        <translation>No hay ningún elemento del formulario seleccionado.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to view.</source>
        <translation>No hay ningún formulario abierto para ver.</translation>
    </message>
    <message>
        <source>Stop Collecting Answers</source>
        <translation>Dejar de recoger respuestas</translation>
    </message>
</context>
<context>
    <name>quenlow::OpenForm</name>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>, the last on %1</source>
        <translation>, la última el %1</translation>
    </message>
</context>
</TS>
