<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Backgrounds</name>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Marble</source>
        <translation>Mármol</translation>
    </message>
    <message>
        <source>Grey Texture 1</source>
        <translation>Textura gris 1</translation>
    </message>
    <message>
        <source>Grey Texture 2</source>
        <translation>Textura gris 2</translation>
    </message>
    <message>
        <source>Yellow Texture</source>
        <translation>Textura amarilla</translation>
    </message>
    <message>
        <source>Steel Texture</source>
        <translation>Textura de acero</translation>
    </message>
    <message>
        <source>Sky 1</source>
        <translation>Cielo 1</translation>
    </message>
    <message>
        <source>Sky 2</source>
        <translation>Cielo 2</translation>
    </message>
    <message>
        <source>Gold Pattern</source>
        <translation>Motivo dorado</translation>
    </message>
    <message>
        <source>Mellow Yellow</source>
        <translation>Amarillo suave</translation>
    </message>
    <message>
        <source>Brown Paper</source>
        <translation>Papel de estraza</translation>
    </message>
</context>
<context>
    <name>ElementNames</name>
    <message>
        <source>Header</source>
        <translation>Cabecera</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Text Field</source>
        <translation>Campo de texto</translation>
    </message>
    <message>
        <source>Text Area</source>
        <translation>Área de texto</translation>
    </message>
    <message>
        <source>Check Box</source>
        <translation>Casilla de verificación</translation>
    </message>
    <message>
        <source>Radio Buttons</source>
        <translation>Botones de opción</translation>
    </message>
    <message>
        <source>Pull Down Menu</source>
        <translation>Lista desplegable</translation>
    </message>
    <message>
        <source>Submit Button</source>
        <translation>Botón de envío</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Línea</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Escala</translation>
    </message>
    <message>
        <source>HTML Header (Can&apos;t Remove/Move)</source>
        <translation>Cabecera HTML (no se puede quitar ni mover)</translation>
    </message>
    <message>
        <source>%1 (Header)</source>
        <translation>%1 (cabecera)</translation>
    </message>
    <message>
        <source>Page Break</source>
        <translation>Salto de página</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Cuadrícula</translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation>Clasificación</translation>
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
    <message>
        <source>The report file &apos;%1&apos; was not moved: there is a file &apos;%2&apos; already.</source>
        <translation>El archivo de informe «%1» no se movió: ya existe un archivo «%2».</translation>
    </message>
    <message>
        <source>The report file &apos;%1&apos; could not be moved (%2).</source>
        <translation>No se pudo mover el archivo de informe «%1» (%2).</translation>
    </message>
    <message>
        <source>The report file &apos;%1&apos; could not be copied (%2).</source>
        <translation>No se pudo copiar el archivo de informe «%1» (%2).</translation>
    </message>
    <message>
        <source>The report file &apos;%1&apos; could not be deleted (%2).</source>
        <translation>No se pudo eliminar el archivo de informe «%1» (%2).</translation>
    </message>
    <message>
        <source>The file is still in the Reports folder.</source>
        <translation>El archivo sigue en la carpeta Reports.</translation>
    </message>
    <message>
        <source>The files are still in the Reports folder.</source>
        <translation>Los archivos siguen en la carpeta Reports.</translation>
    </message>
    <message>
        <source>Delete the form &apos;%1&apos;? Its page, collection file and report files will be deleted.</source>
        <translation>¿Eliminar el formulario «%1»? Se eliminarán su página, su archivo de colección y sus archivos de informe.</translation>
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
        <translation>Abierto</translation>
    </message>
    <message>
        <source>Open Form for Answers</source>
        <translation>Abrir el formulario a respuestas</translation>
    </message>
    <message>
        <source>Close Form for Answers</source>
        <translation>Cerrar el formulario a respuestas</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 de %3</translation>
    </message>
</context>
<context>
    <name>GraphsPage</name>
    <message>
        <source>Other</source>
        <translation>Otro</translation>
    </message>
</context>
<context>
    <name>ImportXlsForm</name>
    <message>
        <source>row %1: %2</source>
        <translation>fila %1: %2</translation>
    </message>
    <message>
        <source>row %1: %2 &apos;%3&apos;</source>
        <translation>fila %1: %2 &apos;%3&apos;</translation>
    </message>
    <message>
        <source>No form has been created.</source>
        <translation>No se ha creado ningún formulario.</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; cannot be read (%2).</source>
        <translation>No se puede leer el archivo &apos;%1&apos; (%2).</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; is not an XLSForm: it is not an Excel workbook (.xlsx).</source>
        <translation>El archivo &apos;%1&apos; no es un XLSForm: no es un libro de Excel (.xlsx).</translation>
    </message>
    <message>
        <source>The workbook &apos;%1&apos; is damaged and cannot be read (%2).</source>
        <translation>El libro &apos;%1&apos; está dañado y no se puede leer (%2).</translation>
    </message>
    <message>
        <source>The workbook &apos;%1&apos; has no &apos;survey&apos; sheet, so it holds no XLSForm.</source>
        <translation>El libro &apos;%1&apos; no tiene una hoja &apos;survey&apos;, así que no contiene ningún XLSForm.</translation>
    </message>
    <message>
        <source>The choice list &apos;%1&apos; (%2) is not in the &apos;choices&apos; sheet of &apos;%3&apos;.</source>
        <translation>La lista de opciones &apos;%1&apos; (%2) no está en la hoja &apos;choices&apos; de &apos;%3&apos;.</translation>
    </message>
    <message>
        <source>Two questions of &apos;%1&apos; have the name &apos;%2&apos; (rows %3); each question needs a name of its own.</source>
        <translation>Dos preguntas de &apos;%1&apos; tienen el nombre &apos;%2&apos; (filas %3); cada pregunta necesita un nombre propio.</translation>
    </message>
    <message>
        <source>These rows of &apos;%1&apos; cannot become part of a Quenlow form (repeats, calculations, conditions and limits other than a simple comparison, and unknown types):</source>
        <translation>Estas filas de &apos;%1&apos; no pueden formar parte de un formulario de Quenlow (repeticiones, cálculos, condiciones y límites que no sean una comparación sencilla, y tipos desconocidos):</translation>
    </message>
    <message>
        <source>The &apos;survey&apos; sheet of &apos;%1&apos; holds nothing to show or ask.</source>
        <translation>La hoja &apos;survey&apos; de &apos;%1&apos; no contiene nada que mostrar ni preguntar.</translation>
    </message>
    <message>
        <source>The XLSForm has more elements than a form can hold (%1). No form has been created.</source>
        <translation>El XLSForm tiene más elementos de los que caben en un formulario (%1). No se ha creado ningún formulario.</translation>
    </message>
    <message>
        <source>The question &apos;%1&apos; cannot be asked under that name: the page posts a field &apos;%2&apos; of its own. No form has been created.</source>
        <translation>La pregunta &apos;%1&apos; no puede hacerse con ese nombre: la página envía un campo &apos;%2&apos; propio. No se ha creado ningún formulario.</translation>
    </message>
</context>
<context>
    <name>LineRule</name>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Line to.</source>
        <translation>No hay ningún formulario abierto al que añadir una línea.</translation>
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
    <message>
        <source>Scale</source>
        <translation>Escala</translation>
    </message>
    <message>
        <source>Page Break</source>
        <translation>Salto de página</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Cuadrícula</translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation>Clasificación</translation>
    </message>
</context>
<context>
    <name>NewFormOperations</name>
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
    <message>
        <source>&apos;%1&apos; no longer offers the answer these questions were asked for, so they are now always asked: &apos;%2&apos;</source>
        <translation>&apos;%1&apos; ya no ofrece la respuesta de la que dependían estas preguntas, así que ahora se plantean siempre: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was removed, so the questions asked only when it had a given answer are now always asked: &apos;%2&apos;</source>
        <translation>Se ha eliminado «%1»; las preguntas que solo se hacían con una respuesta determinada a ella se harán siempre: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>The form itself sends a field called &apos;%1&apos;, so a question of that name would store the wrong answer. Please call it something else.</source>
        <translation>El propio formulario envía un campo llamado «%1», así que una pregunta con ese nombre guardaría la respuesta equivocada. Póngale otro nombre.</translation>
    </message>
    <message>
        <source>The form already has a question called &apos;%1&apos;; together with &apos;%2&apos; the answers could be stored under the wrong question, since the form sends the kind of each question as &apos;&lt;question&gt; Type&apos;. Please call it something else.</source>
        <translation>El formulario ya tiene una pregunta llamada «%1»; junto con «%2» las respuestas podrían guardarse en la pregunta equivocada, ya que el formulario envía el tipo de cada pregunta como «&lt;pregunta&gt; Type». Póngale otro nombre.</translation>
    </message>
    <message>
        <source>The document &apos;%1&apos; cannot be opened: %2</source>
        <translation>No se puede abrir el documento «%1»: %2</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; holds %2, which no word-processing document has. The file is damaged or crafted to exhaust the computer&apos;s memory; it has not been changed.</source>
        <translation>su parte «%1» contiene %2, algo que no tiene ningún documento de texto. El archivo está dañado o hecho para agotar la memoria del equipo; no se ha modificado.</translation>
    </message>
    <message>
        <source>it is not an Office Open XML (.docx) word-processing document (%1). A document saved in the old binary Word format must be saved in the .docx format first.</source>
        <translation>no es un documento de texto Office Open XML (.docx) (%1). Un documento guardado en el antiguo formato binario de Word debe guardarse antes en formato .docx.</translation>
    </message>
    <message>
        <source>The document cannot be saved as &apos;%1&apos;: %2.</source>
        <translation>No se puede guardar el documento como «%1»: %2.</translation>
    </message>
    <message>
        <source>The document &apos;%1&apos; cannot be found.</source>
        <translation>No se encuentra el documento «%1».</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a folder, not a document.</source>
        <translation>«%1» es una carpeta, no un documento.</translation>
    </message>
    <message>
        <source>at %1 MB it is larger than a report document can be (%2 MB).</source>
        <translation>con %1 MB es mayor de lo que puede ser un documento de informe (%2 MB).</translation>
    </message>
    <message>
        <source>The document &apos;%1&apos; cannot be read: %2.</source>
        <translation>No se puede leer el documento «%1»: %2.</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>el archivo está vacío</translation>
    </message>
    <message>
        <source>the package has no word-processing part &apos;%1&apos;.</source>
        <translation>el paquete no tiene la parte de texto «%1».</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; unpacks to more than a report document can hold (%2 MB). The file is damaged or was not made as a report; it has not been changed.</source>
        <translation>su parte «%1» se descomprime en más de lo que cabe en un documento de informe (%2 MB). El archivo está dañado o no se hizo como informe; no se ha modificado.</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; is packed far more tightly than a document&apos;s text can be (more than %2 to 1). The file is damaged or crafted to exhaust the computer&apos;s memory; it has not been changed.</source>
        <translation>su parte «%1» está comprimida mucho más de lo que puede estarlo el texto de un documento (más de %2 a 1). El archivo está dañado o hecho para agotar la memoria del equipo; no se ha modificado.</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; is damaged (it cannot be unpacked to the size the package gives for it).</source>
        <translation>su parte «%1» está dañada (no se puede descomprimir al tamaño que indica el paquete).</translation>
    </message>
    <message>
        <source>elements nested more than %1 deep</source>
        <translation>elementos anidados a más de %1 niveles</translation>
    </message>
    <message>
        <source>an element with more than %1 attributes</source>
        <translation>un elemento con más de %1 atributos</translation>
    </message>
    <message>
        <source>more than %1 namespace declarations in force at once</source>
        <translation>más de %1 declaraciones de espacio de nombres vigentes a la vez</translation>
    </message>
    <message>
        <source>a document type declaration</source>
        <translation>una declaración de tipo de documento</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; is not UTF-8 or UTF-16 text.</source>
        <translation>su parte «%1» no es texto UTF-8 ni UTF-16.</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos;: %2.</source>
        <translation>su parte «%1»: %2.</translation>
    </message>
    <message>
        <source>There is no document to save.</source>
        <translation>No hay ningún documento que guardar.</translation>
    </message>
    <message>
        <source>The document has never been saved, so it has no file name yet.</source>
        <translation>El documento no se ha guardado nunca, así que aún no tiene nombre de archivo.</translation>
    </message>
    <message>
        <source>No file name was given for the document.</source>
        <translation>No se ha indicado ningún nombre de archivo para el documento.</translation>
    </message>
    <message>
        <source>the folder &apos;%1&apos; does not exist</source>
        <translation>la carpeta «%1» no existe</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>&apos;{%1}&apos; shows the answer to &apos;%1&apos;, which is not asked before this point of the form. Only an earlier question&apos;s answer can be shown.</source>
        <translation>«{%1}» muestra la respuesta a «%1», que no se pregunta antes de este punto del formulario. Solo se puede mostrar la respuesta de una pregunta anterior.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was removed; these texts still show its answer as &apos;{%1}&apos; and are left as written: &apos;%2&apos;</source>
        <translation>Se ha quitado «%1»; estos textos aún muestran su respuesta como «{%1}» y se dejan como están: «%2»</translation>
    </message>
    <message>
        <source>The quotas that counted these answers to &apos;%1&apos; were removed, since the form no longer asks for them: &apos;%2&apos;</source>
        <translation>Se han quitado las cuotas que contaban estas respuestas a &apos;%1&apos;, ya que el formulario ya no las pregunta: &apos;%2&apos;</translation>
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
        <source>Collecting answers again, as when Quenlow was last closed, from people on my network: %1 (the forms of %2, answers in %3)</source>
        <translation>Se vuelven a recoger respuestas, como la última vez que se cerró Quenlow, de personas de mi red: %1 (los formularios de %2, respuestas en %3)</translation>
    </message>
    <message>
        <source>Collecting answers again, as when Quenlow was last closed, from this computer only: %1 (the forms of %2, answers in %3)</source>
        <translation>Se vuelven a recoger respuestas, como la última vez que se cerró Quenlow, solo desde este equipo: %1 (los formularios de %2, respuestas en %3)</translation>
    </message>
    <message>
        <source>Quenlow was collecting answers when it was last closed, but cannot start again: %1</source>
        <translation>Quenlow estaba recogiendo respuestas cuando se cerró por última vez, pero no puede volver a empezar: %1</translation>
    </message>
    <message>
        <source>An answer arrived in the last ten minutes: people may still be filling the forms in. Do you want to stop collecting answers?</source>
        <translation>Ha llegado una respuesta en los últimos diez minutos: puede que aún haya personas rellenando los formularios. ¿Desea dejar de recoger respuestas?</translation>
    </message>
    <message>
        <source>%1 answers arrived in the last ten minutes: people may still be filling the forms in. Do you want to stop collecting answers?</source>
        <translation>Han llegado %1 respuestas en los últimos diez minutos: puede que aún haya personas rellenando los formularios. ¿Desea dejar de recoger respuestas?</translation>
    </message>
</context>
<context>
    <name>ReportDocuments</name>
    <message>
        <source>Do you want to save the changes to &apos;%1&apos;?</source>
        <translation>¿Desea guardar los cambios en «%1»?</translation>
    </message>
    <message>
        <source>The new word document &apos;%1&apos; has been created in %2</source>
        <translation>Se ha creado el nuevo documento de Word «%1» en %2</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; already exists and is currently open. Enter another filename for the word document.</source>
        <translation>El documento de Word «%1» ya existe y está abierto en este momento. Escriba otro nombre de archivo para el documento de Word.</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; already exists in %2. Do you want to replace it with a new report?</source>
        <translation>El documento de Word «%1» ya existe en %2. ¿Desea reemplazarlo por un informe nuevo?</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; that you wish to export the %2 to cannot be found.The document must first be created by defining its name and pressing the &apos;Create New Report&apos; button.</source>
        <translation>No se encuentra el documento de Word «%1» al que desea exportar %2. Primero debe crear el documento: escriba su nombre y pulse el botón «Crear informe nuevo».</translation>
    </message>
    <message>
        <source>Adding the table of answers to the word document…</source>
        <translation>Añadiendo la tabla de respuestas al documento de Word…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1 Report</source>
        <translation>Informe: %1</translation>
    </message>
    <message>
        <source>You must first add the desired fields you wish to have in the report table to the list box &apos;Fields in Table to be added to report&apos;.</source>
        <translation>Primero debe añadir los campos que desea en la tabla del informe a la lista «Campos de la tabla para el informe».</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; that you wish to export to word document &apos;%2&apos; has no data in it.</source>
        <translation>La tabla «%1» que desea exportar al documento de Word «%2» no contiene datos.</translation>
    </message>
    <message>
        <source>table</source>
        <translation>la tabla</translation>
    </message>
    <message>
        <source>Database table &apos;%1&apos;.</source>
        <translation>Tabla de la base de datos «%1».</translation>
    </message>
    <message>
        <source>Excerpt from database table &apos;%1&apos;.</source>
        <translation>Extracto de la tabla de la base de datos «%1».</translation>
    </message>
    <message>
        <source>The table has not been added to the word document &apos;%1&apos;.</source>
        <translation>La tabla no se ha añadido al documento de Word «%1».</translation>
    </message>
    <message>
        <source>If the added table is as desired Save and Close the document before adding another item.</source>
        <translation>Si la tabla añadida es como desea, guarde y cierre el documento antes de añadir otro elemento.</translation>
    </message>
    <message>
        <source>text</source>
        <translation>el texto</translation>
    </message>
    <message>
        <source>If the added text is as desired Save and Close the document before adding another item.</source>
        <translation>Si el texto añadido es como desea, guarde y cierre el documento antes de añadir otro elemento.</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>el gráfico</translation>
    </message>
    <message>
        <source>If the added chart is as desired Save and Close the document before adding another item.</source>
        <translation>Si el gráfico añadido es como desea, guarde y cierre el documento antes de añadir otro elemento.</translation>
    </message>
    <message>
        <source>The form has no check boxes, radio buttons or menus to summarise.</source>
        <translation>El formulario no tiene casillas de verificación, botones de opción ni menús desplegables que resumir.</translation>
    </message>
    <message>
        <source>summary</source>
        <translation>el resumen</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Opción</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Recuento</translation>
    </message>
    <message>
        <source>Percentage</source>
        <translation>Porcentaje</translation>
    </message>
    <message>
        <source>(no answer or another value)</source>
        <translation>(sin respuesta u otro valor)</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Mediana</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Mínimo</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Máximo</translation>
    </message>
    <message>
        <source>If the added summary is as desired Save and Close the document before adding another item.</source>
        <translation>Si el resumen añadido es como desea, guarde y cierre el documento antes de añadir otro elemento.</translation>
    </message>
    <message>
        <source>Statement</source>
        <translation>Afirmación</translation>
    </message>
    <message>
        <source>Mean place</source>
        <translation>Puesto medio</translation>
    </message>
    <message>
        <source>Placed first</source>
        <translation>En primer puesto</translation>
    </message>
</context>
<context>
    <name>ReporterTexts</name>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2).</source>
        <translation>No se puede abrir la base de datos de respuestas «%1» (%2).</translation>
    </message>
    <message>
        <source>The table containing the data for the form %1 is missing.</source>
        <translation>Falta la tabla con los datos del formulario %1.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; of the answers database cannot be read (%2).</source>
        <translation>No se puede leer la tabla «%1» de la base de datos de respuestas (%2).</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have a field selected</source>
        <translation>No hay ningún campo seleccionado</translation>
    </message>
    <message>
        <source>The page &apos;%1&apos; cannot be written (%2).</source>
        <translation>No se puede escribir la página «%1» (%2).</translation>
    </message>
    <message>
        <source>CSV, for any spreadsheet or statistics program (*.csv)</source>
        <translation>CSV, para cualquier hoja de cálculo o programa de estadística (*.csv)</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Libro de Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Export Answers</source>
        <translation>Exportar respuestas</translation>
    </message>
    <message>
        <source>Exporting the answers to %1…</source>
        <translation>Exportando las respuestas a %1…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The export was cancelled; no file was written.</source>
        <translation>Se ha cancelado la exportación; no se ha escrito ningún archivo.</translation>
    </message>
    <message>
        <source>%1 answers have been exported to %2</source>
        <translation>Se han exportado %1 respuestas a %2</translation>
    </message>
    <message>
        <source>SPSS data file, with labels (*.sav)</source>
        <translation>Archivo de datos SPSS, con etiquetas (*.sav)</translation>
    </message>
    <message>
        <source>Stata data file, with labels (*.dta)</source>
        <translation>Archivo de datos Stata, con etiquetas (*.dta)</translation>
    </message>
    <message>
        <source>Codebook, a printable page (*.html)</source>
        <translation>Libro de códigos, una página imprimible (*.html)</translation>
    </message>
</context>
<context>
    <name>XlsFormExport</name>
    <message>
        <source>Export as XLSForm</source>
        <translation>Exportar como XLSForm</translation>
    </message>
    <message>
        <source>XLSForm workbooks (*.xlsx)</source>
        <translation>Libros XLSForm (*.xlsx)</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has been written as an XLSForm to %2.</source>
        <translation>El formulario &apos;%1&apos; se ha guardado como XLSForm en %2.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; cannot be written as an XLSForm, which has no way to say these elements:
%2
Nothing has been written.</source>
        <translation>El formulario &apos;%1&apos; no puede guardarse como XLSForm, que no puede expresar estos elementos:
%2
No se ha escrito nada.</translation>
    </message>
</context>
<context>
    <name>quenlow::AddTextForm</name>
    <message>
        <source>This Text/Instructioins form element simply adds the text you type below to the form. Such text can be used simply to describe to the form user the purpose of the form or possibly to add further form element user instructions and information.</source>
        <translation>Este elemento «Texto/instrucciones» simplemente añade al formulario el texto que escriba abajo. Puede usarlo, por ejemplo, para explicar a quien responde la finalidad del formulario o para añadir más instrucciones e información sobre los elementos del formulario.</translation>
    </message>
    <message>
        <source>Please enter the text or added user instructions you wish to add to the form in the box below :</source>
        <translation>Escriba en el cuadro de abajo el texto o las instrucciones que desea añadir al formulario:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Text to be added to form.</source>
        <translation>Texto que se añadirá al formulario.</translation>
    </message>
    <message>
        <source>Edit Text/Instructions</source>
        <translation>Editar texto/instrucciones</translation>
    </message>
    <message>
        <source>Update Text</source>
        <translation>Actualizar texto</translation>
    </message>
    <message>
        <source>The box for the text to add to the form is empty. You must first type the text you wish to add to the form.</source>
        <translation>El cuadro del texto que se añadirá al formulario está vacío. Primero debe escribir el texto que desea añadir al formulario.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Text to.</source>
        <translation>No hay ningún formulario abierto al que añadir un texto.</translation>
    </message>
    <message>
        <source>Add Text/Instructions to HTML Form</source>
        <translation>Añadir texto/instrucciones al formulario HTML</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswerView</name>
    <message>
        <source>Answer %1</source>
        <translation>Respuesta %1</translation>
    </message>
    <message>
        <source>(no answer)</source>
        <translation>(sin respuesta)</translation>
    </message>
    <message>
        <source>Submitted</source>
        <translation>Enviada</translation>
    </message>
    <message>
        <source>(not recorded)</source>
        <translation>(no registrado)</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Cambiada</translation>
    </message>
    <message>
        <source>(never)</source>
        <translation>(nunca)</translation>
    </message>
    <message>
        <source>Receipt</source>
        <translation>Recibo</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguno)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswersPage</name>
    <message>
        <source>Answers</source>
        <translation>Respuestas</translation>
    </message>
    <message>
        <source>Show answers containing:</source>
        <translation>Mostrar respuestas que contengan:</translation>
    </message>
    <message>
        <source>Delete Answer…</source>
        <translation>Eliminar respuesta…</translation>
    </message>
    <message>
        <source>Select the answers to delete in the table first.</source>
        <translation>Seleccione primero en la tabla las respuestas que quiere eliminar.</translation>
    </message>
    <message>
        <source>Do you want to delete the selected answer? It cannot be brought back.</source>
        <translation>¿Desea eliminar la respuesta seleccionada? No se podrá recuperar.</translation>
    </message>
    <message>
        <source>Do you want to delete the %1 selected answers? They cannot be brought back.</source>
        <translation>¿Desea eliminar las %1 respuestas seleccionadas? No se podrán recuperar.</translation>
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
    <message>
        <source>postgresql://USER@HOST:5432/DBNAME</source>
        <translation>postgresql://USUARIO@SERVIDOR:5432/BASEDEDATOS</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswersTableModel</name>
    <message>
        <source>Submitted</source>
        <translation>Enviada</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Cambiada</translation>
    </message>
    <message>
        <source>Receipt</source>
        <translation>Recibo</translation>
    </message>
    <message>
        <source>Participant</source>
        <translation>Participante</translation>
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
    <name>quenlow::CheckBoxesForm</name>
    <message>
        <source>The Checkbox element gives users a way to quickly and easily select or deselect an item in your HTML form. Checkboxes may also be grouped to create a set of choices, any of which may be selected or deselected by the user.</source>
        <translation>La casilla de verificación permite a quien responde marcar o desmarcar un elemento de su formulario HTML de forma rápida y sencilla. Las casillas de verificación también pueden agruparse para crear un conjunto de opciones, cada una de las cuales se puede marcar o desmarcar.</translation>
    </message>
    <message>
        <source>If you require several check boxes and require a user instruction before proceeding to define the check boxes click the &apos;Add Text&apos; button :</source>
        <translation>Si necesita varias casillas de verificación y quiere poner antes una instrucción para quien responde, pulse el botón «Añadir texto» antes de definir las casillas:</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>Añadir texto</translation>
    </message>
    <message>
        <source>To ask the check boxes as one question, enter the question here (e.g. &quot;Which topics did you enjoy?&quot;); the boxes you add until you finish form its answers :</source>
        <translation>Para plantear las casillas de verificación como una sola pregunta, escriba aquí la pregunta (p. ej., «¿Qué temas le gustaron?»); las casillas que añada hasta terminar serán sus respuestas:</translation>
    </message>
    <message>
        <source>Define Checkboxes</source>
        <translation>Definir casillas de verificación</translation>
    </message>
    <message>
        <source>Please enter name/title of each Check Box in the box below :</source>
        <translation>Escriba en el cuadro de abajo el nombre o título de cada casilla de verificación:</translation>
    </message>
    <message>
        <source>to be selected by default</source>
        <translation>marcada de forma predeterminada</translation>
    </message>
    <message>
        <source>On a new line</source>
        <translation>En una línea nueva</translation>
    </message>
    <message>
        <source>On the same line</source>
        <translation>En la misma línea</translation>
    </message>
    <message>
        <source>Add Check Box to HTML Form</source>
        <translation>Añadir casilla de verificación al formulario HTML</translation>
    </message>
    <message>
        <source>Finish Adding Check Box Form Methods</source>
        <translation>Terminar de añadir casillas de verificación</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Please tick the approprtiate check boxes :</source>
        <translation>Marque las casillas que correspondan:</translation>
    </message>
    <message>
        <source>Edit Check Box</source>
        <translation>Editar casilla de verificación</translation>
    </message>
    <message>
        <source>Update Check Box</source>
        <translation>Actualizar casilla de verificación</translation>
    </message>
    <message>
        <source>Finish Editing Check Box</source>
        <translation>Terminar de editar la casilla de verificación</translation>
    </message>
    <message>
        <source>The check box name text field is empty. You must first enter a title for the check box.</source>
        <translation>El campo del nombre de la casilla de verificación está vacío. Primero debe escribir un título para la casilla.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Check Box to.</source>
        <translation>No hay ningún formulario abierto al que añadir una casilla de verificación.</translation>
    </message>
    <message>
        <source>Add Check Boxes To Form</source>
        <translation>Añadir casillas de verificación al formulario</translation>
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
    <message>
        <source>Participants</source>
        <translation>Participantes</translation>
    </message>
    <message>
        <source>Quotas</source>
        <translation>Cuotas</translation>
    </message>
    <message>
        <source>answered %1 of %2</source>
        <translation>han respondido %1 de %2</translation>
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
    <message>
        <source>Present</source>
        <translation>Presentar</translation>
    </message>
    <message>
        <source>Shows the results in your web browser, large enough for a projector.</source>
        <translation>Muestra los resultados en su navegador web, con tamaño suficiente para un proyector.</translation>
    </message>
    <message>
        <source>No web browser could be opened for %1.</source>
        <translation>No se pudo abrir ningún navegador web para %1.</translation>
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
        <translation>Recogida de respuestas</translation>
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
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Centrado</translation>
    </message>
    <message>
        <source>If the location of the database has altered you may alter the database location text within the form by modifying the full path location below :</source>
        <translation>Si la ubicación de la base de datos ha cambiado, puede modificarla en el formulario cambiando la ruta completa de abajo:</translation>
    </message>
    <message>
        <source>Quota :</source>
        <translation>Cuota :</translation>
    </message>
    <message>
        <source>The question whose answers are counted</source>
        <translation>La pregunta cuyas respuestas se cuentan</translation>
    </message>
    <message>
        <source>The answer counted</source>
        <translation>La respuesta contada</translation>
    </message>
    <message>
        <source>at most</source>
        <translation>como máximo</translation>
    </message>
    <message>
        <source>How many answers with that answer are taken</source>
        <translation>Cuántas respuestas con esa respuesta se aceptan</translation>
    </message>
    <message>
        <source>Add Quota</source>
        <translation>Añadir cuota</translation>
    </message>
    <message>
        <source>Remove Quota</source>
        <translation>Quitar cuota</translation>
    </message>
    <message>
        <source>Only invited people may answer</source>
        <translation>Solo pueden responder las personas invitadas</translation>
    </message>
    <message>
        <source>Anonymous answers</source>
        <translation>Respuestas anónimas</translation>
    </message>
    <message>
        <source>Only that a code has answered is kept, never which answers are whose; each code answers once.</source>
        <translation>Solo se guarda que un código ha respondido, nunca qué respuestas son de quién; cada código responde una vez.</translation>
    </message>
    <message>
        <source>%1 = %2: at most %3</source>
        <translation>%1 = %2: como máximo %3</translation>
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
    <name>quenlow::EditorWindow</name>
    <message>
        <source>You do not have a Form Method Selected.</source>
        <translation>No hay ningún elemento del formulario seleccionado.</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>Añadir %1</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Editar %1</translation>
    </message>
    <message>
        <source>User Instruction %1</source>
        <translation>Pregunta %1</translation>
    </message>
</context>
<context>
    <name>quenlow::Editors</name>
    <message>
        <source>The window &quot;%1&quot; is already open. Please finish with it or cancel it first.</source>
        <translation>La ventana «%1» ya está abierta. Termine primero con ella o cancélela.</translation>
    </message>
    <message>
        <source>Text to be added to form.</source>
        <translation>Texto que se añadirá al formulario.</translation>
    </message>
    <message>
        <source>Add Line</source>
        <translation>Añadir línea</translation>
    </message>
    <message>
        <source>You do not have a Form Method Selected.</source>
        <translation>No hay ningún elemento del formulario seleccionado.</translation>
    </message>
    <message>
        <source>Horizontal Line Rules cannot be edited.</source>
        <translation>Las líneas horizontales no se pueden editar.</translation>
    </message>
    <message>
        <source>Field Type Not Recognised</source>
        <translation>Tipo de campo no reconocido</translation>
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
    <name>quenlow::GraphsPage</name>
    <message>
        <source>Graphs</source>
        <translation>Gráficos</translation>
    </message>
    <message>
        <source>Graph Name</source>
        <translation>Nombre del gráfico</translation>
    </message>
    <message>
        <source>Graphable Table Fields - Check Boxes, Select Menus, Radio Buttons</source>
        <translation>Campos representables: casillas de verificación, menús desplegables, botones de opción</translation>
    </message>
    <message>
        <source>View Pie Chart</source>
        <translation>Ver gráfico circular</translation>
    </message>
    <message>
        <source>View Bar Graph</source>
        <translation>Ver gráfico de barras</translation>
    </message>
    <message>
        <source>Graph File Name :</source>
        <translation>Nombre de archivo del gráfico:</translation>
    </message>
    <message>
        <source>Save Graph To File</source>
        <translation>Guardar gráfico en archivo</translation>
    </message>
    <message>
        <source>Add Chart to Report</source>
        <translation>Añadir gráfico al informe</translation>
    </message>
    <message>
        <source>Pie Chart of form %1 &apos;%2&apos; :</source>
        <translation>Gráfico circular del elemento %1 «%2»:</translation>
    </message>
    <message>
        <source>Bar Chart of form %1 &apos;%2&apos; :</source>
        <translation>Gráfico de barras del elemento %1 «%2»:</translation>
    </message>
    <message>
        <source>Check Boxes</source>
        <translation>Casillas de verificación</translation>
    </message>
    <message>
        <source>There is no chart to save: no question of this form has been charted.</source>
        <translation>No hay ningún gráfico que guardar: aún no se ha representado ninguna pregunta de este formulario.</translation>
    </message>
    <message>
        <source>The Chart has been saved to %1</source>
        <translation>El gráfico se ha guardado en %1</translation>
    </message>
    <message>
        <source>There is no chart to add: no question of this form has been charted.</source>
        <translation>No hay ningún gráfico que añadir: aún no se ha representado ninguna pregunta de este formulario.</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>el gráfico</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Otro</translation>
    </message>
    <message>
        <source>Mean place of each option of form %1 &apos;%2&apos; :</source>
        <translation>Puesto medio de cada opción del formulario %1 «%2» :</translation>
    </message>
</context>
<context>
    <name>quenlow::GridForm</name>
    <message>
        <source>A grid asks several statements at once, each answered with one of the same answers (e.g. how much the form filler agrees with each). Each statement is a question of its own in the answers table.</source>
        <translation>Una cuadrícula plantea varias afirmaciones a la vez, cada una respondida con una de las mismas respuestas (p. ej., cuánto está de acuerdo quien rellena el formulario con cada una). Cada afirmación es una pregunta propia en la tabla de respuestas.</translation>
    </message>
    <message>
        <source>Please enter the question for the grid  :</source>
        <translation>Introduzca la pregunta de la cuadrícula  :</translation>
    </message>
    <message>
        <source>Add Statement</source>
        <translation>Añadir afirmación</translation>
    </message>
    <message>
        <source>Remove Statement</source>
        <translation>Quitar afirmación</translation>
    </message>
    <message>
        <source>Fill the answers with :</source>
        <translation>Rellenar las respuestas con :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>Agree (five points)</source>
        <translation>Acuerdo (cinco puntos)</translation>
    </message>
    <message>
        <source>Satisfied (five points)</source>
        <translation>Satisfacción (cinco puntos)</translation>
    </message>
    <message>
        <source>How often (five points)</source>
        <translation>Frecuencia (cinco puntos)</translation>
    </message>
    <message>
        <source>Add Answer</source>
        <translation>Añadir respuesta</translation>
    </message>
    <message>
        <source>Remove Answer</source>
        <translation>Quitar respuesta</translation>
    </message>
    <message>
        <source>Statements (rows) :</source>
        <translation>Afirmaciones (filas) :</translation>
    </message>
    <message>
        <source>Answers (columns) :</source>
        <translation>Respuestas (columnas) :</translation>
    </message>
    <message>
        <source>Add Grid to HTML Form</source>
        <translation>Añadir cuadrícula al formulario HTML</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The statement text box is empty. You must first enter a statement.</source>
        <translation>El cuadro de texto de la afirmación está vacío. Primero debe introducir una afirmación.</translation>
    </message>
    <message>
        <source>The answer text box is empty. You must first enter an answer.</source>
        <translation>El cuadro de texto de la respuesta está vacío. Primero debe introducir una respuesta.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is already in the list.</source>
        <translation>«%1» ya está en la lista.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an entry of the list selected.</source>
        <translation>Lo siento, pero no tiene seleccionada ninguna entrada de la lista.</translation>
    </message>
    <message>
        <source>Edit Grid</source>
        <translation>Editar cuadrícula</translation>
    </message>
    <message>
        <source>Update Grid</source>
        <translation>Actualizar cuadrícula</translation>
    </message>
    <message>
        <source>The question text box is empty. You must first enter the question the grid asks.</source>
        <translation>El cuadro de texto de la pregunta está vacío. Primero debe introducir la pregunta de la cuadrícula.</translation>
    </message>
    <message>
        <source>You must first enter some statements.</source>
        <translation>Primero debe introducir algunas afirmaciones.</translation>
    </message>
    <message>
        <source>You must first enter at least two answers.</source>
        <translation>Primero debe introducir al menos dos respuestas.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Grid to.</source>
        <translation>No tiene ningún formulario abierto al que añadir una cuadrícula.</translation>
    </message>
    <message>
        <source>Add Grid To Form</source>
        <translation>Añadir cuadrícula al formulario</translation>
    </message>
</context>
<context>
    <name>quenlow::ImportXlsForm</name>
    <message>
        <source>Import XLSForm</source>
        <translation>Importar XLSForm</translation>
    </message>
    <message>
        <source>Make a new form from an XLSForm workbook, as field-collection tools write and share them: its questions, choices and settings.</source>
        <translation>Crear un formulario nuevo a partir de un libro XLSForm, como los escriben y comparten las herramientas de recogida de datos en campo: sus preguntas, opciones y ajustes.</translation>
    </message>
    <message>
        <source>XLSForm file (.xlsx):</source>
        <translation>Archivo XLSForm (.xlsx):</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>Name of the new form:</source>
        <translation>Nombre del formulario nuevo:</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>XLSForm workbooks (*.xlsx)</source>
        <translation>Libros XLSForm (*.xlsx)</translation>
    </message>
    <message>
        <source>Please choose the XLSForm file (.xlsx) to import.</source>
        <translation>Elija el archivo XLSForm (.xlsx) que desea importar.</translation>
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
    <message>
        <source>Scale</source>
        <translation>Escala</translation>
    </message>
    <message>
        <source>Scale…</source>
        <translation>Escala…</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is asked only when &apos;%2&apos; has a given answer, so it must stay below it.</source>
        <translation>«%1» solo se pregunta cuando «%2» tiene una respuesta determinada, así que debe quedar debajo.</translation>
    </message>
    <message>
        <source>Page Break</source>
        <translation>Salto de página</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Cuadrícula</translation>
    </message>
    <message>
        <source>Import XLSForm…</source>
        <translation>Importar XLSForm…</translation>
    </message>
    <message>
        <source>Export as XLSForm…</source>
        <translation>Exportar como XLSForm…</translation>
    </message>
    <message>
        <source>Participants…</source>
        <translation>Participantes…</translation>
    </message>
    <message>
        <source>Page Break…</source>
        <translation>Salto de página…</translation>
    </message>
    <message>
        <source>Grid…</source>
        <translation>Cuadrícula…</translation>
    </message>
    <message>
        <source>&apos;%1&apos; shows the answer to &apos;%2&apos;, so it must stay below it.</source>
        <translation>«%1» muestra la respuesta a «%2», así que debe quedar debajo.</translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation>Clasificación</translation>
    </message>
    <message>
        <source>Ranking…</source>
        <translation>Clasificación…</translation>
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
<context>
    <name>quenlow::OptionListWindow</name>
    <message>
        <source>Option to be selected by default</source>
        <translation>Opción seleccionada de forma predeterminada</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>quenlow::PageBreakForm</name>
    <message>
        <source>A page break starts a new page of the form. People who answer it see one page at a time, with &quot;Next&quot; and &quot;Back&quot; buttons, and the submit button on the last page only. The title, when you give one, is shown at the top of the new page.</source>
        <translation>Un salto de página empieza una página nueva del formulario. Quien lo responde ve una página cada vez, con los botones «Siguiente» y «Atrás», y el botón de envío solo en la última página. El título, si indica uno, se muestra al principio de la nueva página.</translation>
    </message>
    <message>
        <source>Title of the new page (optional) :</source>
        <translation>Título de la nueva página (opcional) :</translation>
    </message>
    <message>
        <source>Add Page Break to HTML Form</source>
        <translation>Añadir salto de página al formulario HTML</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Edit Page Break</source>
        <translation>Editar salto de página</translation>
    </message>
    <message>
        <source>Update Page Break</source>
        <translation>Actualizar salto de página</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Page Break to.</source>
        <translation>Ahora mismo no tiene ningún formulario abierto al que añadir un salto de página.</translation>
    </message>
    <message>
        <source>Add Page Break To Form</source>
        <translation>Añadir salto de página al formulario</translation>
    </message>
</context>
<context>
    <name>quenlow::ParticipantsForm</name>
    <message>
        <source>Participants of %1</source>
        <translation>Participantes de %1</translation>
    </message>
    <message>
        <source>Each person invited gets a personal code to answer this form with.</source>
        <translation>Cada persona invitada recibe un código personal para responder a este formulario.</translation>
    </message>
    <message>
        <source>Import from CSV…</source>
        <translation>Importar desde CSV…</translation>
    </message>
    <message>
        <source>Number of codes</source>
        <translation>Número de códigos</translation>
    </message>
    <message>
        <source>Make Codes Without Names</source>
        <translation>Crear códigos sin nombres</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Export Not Answered…</source>
        <translation>Exportar quienes no han respondido…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Codes:</source>
        <translation>Códigos:</translation>
    </message>
    <message>
        <source>The file could not be read: %1</source>
        <translation>No se pudo leer el archivo: %1</translation>
    </message>
    <message>
        <source>Line %1 of the file is not UTF-8 text. Save the list as &quot;CSV UTF-8&quot; and import it again. Nobody was added.</source>
        <translation>La línea %1 del archivo no es texto UTF-8. Guarde la lista como «CSV UTF-8» e impórtela de nuevo. No se añadió a nadie.</translation>
    </message>
    <message>
        <source>The file lists nobody: its first row names the columns, and each row below it is one person. Nobody was added.</source>
        <translation>El archivo no incluye a nadie: su primera fila nombra las columnas y cada fila siguiente es una persona. No se añadió a nadie.</translation>
    </message>
    <message>
        <source>Line %1 of the file is empty. Remove it and import the file again. Nobody was added.</source>
        <translation>La línea %1 del archivo está vacía. Elimínela e importe el archivo de nuevo. No se añadió a nadie.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in the list twice (again on line %2). Nobody was added.</source>
        <translation>«%1» aparece dos veces en la lista (de nuevo en la línea %2). No se añadió a nadie.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a participant of this form already. Nobody was added.</source>
        <translation>«%1» ya participa en este formulario. No se añadió a nadie.</translation>
    </message>
    <message>
        <source>The column &quot;%1&quot; is named twice in the first row. Nobody was added.</source>
        <translation>La columna «%1» aparece dos veces en la primera fila. No se añadió a nadie.</translation>
    </message>
    <message>
        <source>Line %1 of the file has more fields than the first row names columns. Nobody was added.</source>
        <translation>La línea %1 del archivo tiene más campos que columnas nombra la primera fila. No se añadió a nadie.</translation>
    </message>
    <message>
        <source>The quotation mark opened on line %1 of the file is never closed. Nobody was added.</source>
        <translation>Las comillas abiertas en la línea %1 del archivo nunca se cierran. No se añadió a nadie.</translation>
    </message>
    <message>
        <source>This form has no table in the answers database yet.</source>
        <translation>Este formulario aún no tiene tabla en la base de datos de respuestas.</translation>
    </message>
    <message>
        <source>The participants could not be kept in the answers database: %1</source>
        <translation>No se pudieron guardar los participantes en la base de datos de respuestas: %1</translation>
    </message>
    <message>
        <source>The participants could not be read: %1</source>
        <translation>No se pudieron leer los participantes: %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Código</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>Respondido</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Cuándo</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>answered %1 of %2</source>
        <translation>han respondido %1 de %2</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Archivos CSV (*.csv);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Export Not Answered</source>
        <translation>Exportar quienes no han respondido</translation>
    </message>
    <message>
        <source>Import Participants</source>
        <translation>Importar participantes</translation>
    </message>
    <message numerus="yes">
        <source>%n participant(s) added, each with a personal code.</source>
        <translation>
            <numerusform>Se añadieron %n participantes, cada uno con un código personal.</numerusform>
            <numerusform>Se añadieron %n participantes, cada uno con un código personal.</numerusform>
        </translation>
    </message>
    <message>
        <source>Select the participants to remove first.</source>
        <translation>Seleccione primero los participantes que desea quitar.</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n participant(s)? Their codes will no longer be accepted.</source>
        <translation>
            <numerusform>¿Quitar %n participantes? Sus códigos dejarán de aceptarse.</numerusform>
            <numerusform>¿Quitar %n participantes? Sus códigos dejarán de aceptarse.</numerusform>
        </translation>
    </message>
    <message>
        <source>The participants could not be removed: %1</source>
        <translation>No se pudieron quitar los participantes: %1</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>No se pudo escribir el archivo: %1</translation>
    </message>
    <message>
        <source>http://192.168.1.20:8080/%1</source>
        <translation>http://192.168.1.20:8080/%1</translation>
    </message>
    <message>
        <source>%1 invitations.pdf</source>
        <translation>%1 invitaciones.pdf</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Examinar…</translation>
    </message>
    <message>
        <source>Print Invitations</source>
        <translation>Imprimir invitaciones</translation>
    </message>
    <message>
        <source>Writes a PDF with a card for each participant: their code, the form&apos;s address with it and its QR code, eight cards to a page.</source>
        <translation>Escribe un PDF con una tarjeta para cada participante: su código, la dirección del formulario con él y su código QR, ocho tarjetas por página.</translation>
    </message>
    <message>
        <source>Form&apos;s address:</source>
        <translation>Dirección del formulario:</translation>
    </message>
    <message>
        <source>Invitations:</source>
        <translation>Invitaciones:</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation>Archivos PDF (*.pdf);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>This form has no participants to invite yet. Import them from a CSV file or make codes first.</source>
        <translation>Este formulario aún no tiene participantes a quienes invitar. Impórtelos primero de un archivo CSV o cree códigos.</translation>
    </message>
    <message>
        <source>Give the address the form is answered at (for example http://192.168.1.20:8080/%1): each card leads there with its code.</source>
        <translation>Indique la dirección en la que se responde el formulario (por ejemplo http://192.168.1.20:8080/%1): cada tarjeta lleva allí con su código.</translation>
    </message>
    <message>
        <source>Name the PDF file to write the invitations to.</source>
        <translation>Indique el archivo PDF en el que escribir las invitaciones.</translation>
    </message>
    <message>
        <source>The address %1 works on this computer only: the people invited cannot open it. Print the invitations anyway?</source>
        <translation>La dirección %1 solo funciona en este ordenador: las personas invitadas no pueden abrirla. ¿Imprimir las invitaciones de todos modos?</translation>
    </message>
    <message>
        <source>The invitations could not be written. %1</source>
        <translation>No se pudieron escribir las invitaciones. %1</translation>
    </message>
    <message numerus="yes">
        <source>%n invitation(s) written to %1.</source>
        <translation><numerusform>%n invitación(es) escrita(s) en %1.</numerusform><numerusform>%n invitación(es) escrita(s) en %1.</numerusform></translation>
    </message>
</context>
<context>
    <name>quenlow::ParticipationPage</name>
    <message>
        <source>Who Has Answered</source>
        <translation>Quién ha respondido</translation>
    </message>
    <message>
        <source>Not answered yet:</source>
        <translation>Aún sin responder:</translation>
    </message>
    <message>
        <source>The participants could not be read: %1</source>
        <translation>No se pudieron leer los participantes: %1</translation>
    </message>
    <message>
        <source>This form invites nobody: Form &gt; Participants… gives people personal codes.</source>
        <translation>Este formulario no invita a nadie: Formulario &gt; Participantes… da códigos personales a las personas.</translation>
    </message>
    <message>
        <source>answered %1 of %2</source>
        <translation>han respondido %1 de %2</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Código</translation>
    </message>
</context>
<context>
    <name>quenlow::PullDownMenuInstructionForm</name>
    <message>
        <source>The Pull-Down Menu/Select Element is used for menus. Each item in a Pull-Down Menu is called an Option.</source>
        <translation>El menú desplegable (elemento select) se usa para menús. Cada elemento de un menú desplegable se llama opción.</translation>
    </message>
    <message>
        <source>Please enter the user instruction for the Pull Down menu in the text field below :</source>
        <translation>Escriba en el campo de texto de abajo la pregunta del menú desplegable:</translation>
    </message>
    <message>
        <source>Menu Options</source>
        <translation>Opciones del menú</translation>
    </message>
    <message>
        <source>Please enter each Pull Down Menu option in the box below and hit the &apos;Add Choice to Pull Down Menu&apos; button after each added box option :</source>
        <translation>Escriba cada opción del menú desplegable en el cuadro de abajo y pulse el botón «Añadir opción al menú desplegable» después de cada una:</translation>
    </message>
    <message>
        <source>Add Option to Pull Down Menu</source>
        <translation>Añadir opción al menú desplegable</translation>
    </message>
    <message>
        <source>Remove Option From Pull Down Menu</source>
        <translation>Quitar opción del menú desplegable</translation>
    </message>
    <message>
        <source>Add Pull Down Menu to HTML Form</source>
        <translation>Añadir menú desplegable al formulario HTML</translation>
    </message>
    <message>
        <source>Update Pull Down Menu</source>
        <translation>Actualizar menú desplegable</translation>
    </message>
    <message>
        <source>The menu option text field is empty. You must first define an option to add to the pull down menu.</source>
        <translation>El campo de texto de la opción del menú está vacío. Primero debe definir una opción para añadirla al menú desplegable.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an option selected.</source>
        <translation>No hay ninguna opción seleccionada.</translation>
    </message>
    <message>
        <source>You must first enter some options into the Menu.</source>
        <translation>Primero debe añadir algunas opciones al menú.</translation>
    </message>
    <message>
        <source>The user instruction text field is empty. You must define a user instruction for the pull down menu.</source>
        <translation>El campo de texto de la pregunta está vacío. Debe definir una pregunta para el menú desplegable.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Pull Down Menu to.</source>
        <translation>No hay ningún formulario abierto al que añadir un menú desplegable.</translation>
    </message>
    <message>
        <source>Number of Menu Items to display (height of menu) :</source>
        <translation>Número de elementos visibles (altura del menú):</translation>
    </message>
    <message>
        <source>The number of menu items to display must be a whole number, such as 1. Please correct it.</source>
        <translation>El número de elementos visibles debe ser un número entero, como 1. Corríjalo.</translation>
    </message>
    <message>
        <source>Add Pull-Down Menu To Form</source>
        <translation>Añadir menú desplegable al formulario</translation>
    </message>
    <message>
        <source>Edit Pull-Down Menu</source>
        <translation>Editar menú desplegable</translation>
    </message>
</context>
<context>
    <name>quenlow::QuestionSettingsBox</name>
    <message>
        <source>An answer is required</source>
        <translation>La respuesta es obligatoria</translation>
    </message>
    <message>
        <source>Ask this question :</source>
        <translation>Hacer esta pregunta:</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Siempre</translation>
    </message>
    <message>
        <source>only when its answer is :</source>
        <translation>solo si su respuesta es:</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Marcada</translation>
    </message>
    <message>
        <source>Not Checked</source>
        <translation>No marcada</translation>
    </message>
    <message>
        <source>Show the options in a new order to each person</source>
        <translation>Mostrar las opciones en un orden nuevo a cada persona</translation>
    </message>
    <message>
        <source>Offer &quot;Other:&quot; with a box to type an answer</source>
        <translation>Ofrecer «Otro:» con un campo para escribir una respuesta</translation>
    </message>
</context>
<context>
    <name>quenlow::RadioButtonsForm</name>
    <message>
        <source>Radio-button form elements are similar in behaviour to checkboxes, except that only one in the group may be selected by the form user. </source>
        <translation>Los botones de opción se comportan de forma parecida a las casillas de verificación, salvo que quien responde solo puede seleccionar uno del grupo. </translation>
    </message>
    <message>
        <source>Please enter the user instruction for the Radio Buttons  in the text field below :</source>
        <translation>Escriba en el campo de texto de abajo la pregunta de los botones de opción:</translation>
    </message>
    <message>
        <source>Radio Button Options</source>
        <translation>Opciones de los botones</translation>
    </message>
    <message>
        <source>Please enter each Radio Button option in the box below and hit the &apos;Add Radio Button Option to Form Question&apos; button after each added option :</source>
        <translation>Escriba cada opción en el cuadro de abajo y pulse el botón «Añadir botón de opción» después de cada una:</translation>
    </message>
    <message>
        <source>Add Radio Button option</source>
        <translation>Añadir botón de opción</translation>
    </message>
    <message>
        <source>Remove Button from Form Question</source>
        <translation>Quitar botón de la pregunta</translation>
    </message>
    <message>
        <source>Finish Adding Radio Buttons</source>
        <translation>Terminar de añadir botones de opción</translation>
    </message>
    <message>
        <source>Update Radio Buttons Menu</source>
        <translation>Actualizar botones de opción</translation>
    </message>
    <message>
        <source>The radio button name text field is empty. You must first define the name of the button to add to the radio buton method.</source>
        <translation>El campo de texto del nombre del botón de opción está vacío. Primero debe definir el nombre del botón que desea añadir.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an Radio Button name selected.</source>
        <translation>No hay ningún botón de opción seleccionado.</translation>
    </message>
    <message>
        <source>You must first enter some Radio Buttons.</source>
        <translation>Primero debe añadir algunos botones de opción.</translation>
    </message>
    <message>
        <source>The user instruction text field for the radio button form element is empty. You must first define a user instruction for the element.</source>
        <translation>El campo de texto de la pregunta de los botones de opción está vacío. Primero debe definir una pregunta para el elemento.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Radio Button Menu to.</source>
        <translation>No hay ningún formulario abierto al que añadir botones de opción.</translation>
    </message>
    <message>
        <source>Add Radio Buttons To Form</source>
        <translation>Añadir botones de opción al formulario</translation>
    </message>
    <message>
        <source>Edit Radio Buttons</source>
        <translation>Editar botones de opción</translation>
    </message>
</context>
<context>
    <name>quenlow::RankingForm</name>
    <message>
        <source>A ranking asks the form filler to put its options in order, the first being the one preferred. Each option is a column of its own in the answers table, holding its place (1 = first).</source>
        <translation>Una clasificación pide a quien rellena el formulario que ordene sus opciones, primero la preferida. Cada opción es una columna propia de la tabla de respuestas y guarda su puesto (1 = primero).</translation>
    </message>
    <message>
        <source>Please enter the question for the ranking  :</source>
        <translation>Escriba la pregunta de la clasificación  :</translation>
    </message>
    <message>
        <source>Add Option</source>
        <translation>Añadir opción</translation>
    </message>
    <message>
        <source>Remove Option</source>
        <translation>Quitar opción</translation>
    </message>
    <message>
        <source>Options to put in order :</source>
        <translation>Opciones que ordenar :</translation>
    </message>
    <message>
        <source>Add Ranking to HTML Form</source>
        <translation>Añadir clasificación al formulario HTML</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The option text box is empty. You must first enter an option.</source>
        <translation>El cuadro de la opción está vacío. Primero debe escribir una opción.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is already in the list.</source>
        <translation>«%1» ya está en la lista.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an entry of the list selected.</source>
        <translation>Lo sentimos, no ha seleccionado ninguna entrada de la lista.</translation>
    </message>
    <message>
        <source>Edit Ranking</source>
        <translation>Editar clasificación</translation>
    </message>
    <message>
        <source>Update Ranking</source>
        <translation>Actualizar clasificación</translation>
    </message>
    <message>
        <source>The question text box is empty. You must first enter the question the ranking asks.</source>
        <translation>El cuadro de la pregunta está vacío. Primero debe escribir la pregunta de la clasificación.</translation>
    </message>
    <message>
        <source>You must first enter at least two options.</source>
        <translation>Primero debe escribir al menos dos opciones.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Ranking to.</source>
        <translation>No tiene ningún formulario abierto al que añadir una clasificación.</translation>
    </message>
    <message>
        <source>Add Ranking To Form</source>
        <translation>Añadir clasificación al formulario</translation>
    </message>
</context>
<context>
    <name>quenlow::ReportPage</name>
    <message>
        <source>Reporter</source>
        <translation>Informes</translation>
    </message>
    <message>
        <source>Current Word Report Name :</source>
        <translation>Nombre del informe de Word actual:</translation>
    </message>
    <message>
        <source>Create New Report</source>
        <translation>Crear informe nuevo</translation>
    </message>
    <message>
        <source>Table Fields</source>
        <translation>Campos de la tabla</translation>
    </message>
    <message>
        <source>Add All</source>
        <translation>Añadir todos</translation>
    </message>
    <message>
        <source>Add Field To Report Table</source>
        <translation>Añadir campo a la tabla del informe</translation>
    </message>
    <message>
        <source>View Answer Number 1 of current field below</source>
        <translation>Ver abajo la respuesta n.º 1 del campo actual</translation>
    </message>
    <message>
        <source>Fields in Table to be added to report</source>
        <translation>Campos de la tabla para el informe</translation>
    </message>
    <message>
        <source>Remove Field From Report Table</source>
        <translation>Quitar campo de la tabla del informe</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Quitar todos</translation>
    </message>
    <message>
        <source>Add above Table To Word Report</source>
        <translation>Añadir la tabla de arriba al informe de Word</translation>
    </message>
    <message>
        <source>View Field Answers</source>
        <translation>Ver respuestas del campo</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>View Previous Answer</source>
        <translation>Ver respuesta anterior</translation>
    </message>
    <message>
        <source>View Next Answer</source>
        <translation>Ver respuesta siguiente</translation>
    </message>
    <message>
        <source>Add above text to Word Report</source>
        <translation>Añadir el texto de arriba al informe de Word</translation>
    </message>
    <message>
        <source>Go to answer</source>
        <translation>Ir a la respuesta</translation>
    </message>
    <message>
        <source>number or receipt code</source>
        <translation>número o código de comprobante</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Ir</translation>
    </message>
    <message>
        <source>Export Answers…</source>
        <translation>Exportar respuestas…</translation>
    </message>
    <message>
        <source>Add Summary to Report</source>
        <translation>Añadir resumen al informe</translation>
    </message>
    <message>
        <source>The field &apos;%1&apos; has already been added.</source>
        <translation>El campo «%1» ya se ha añadido.</translation>
    </message>
    <message>
        <source>There are no fields listed to remove.</source>
        <translation>No hay campos en la lista que quitar.</translation>
    </message>
    <message>
        <source>You have reached the end of the answers.</source>
        <translation>Ha llegado al final de las respuestas.</translation>
    </message>
    <message>
        <source>The  field &apos;%1&apos; from database table &apos;%2 &apos; contains no data.</source>
        <translation>El campo «%1» de la tabla «%2» de la base de datos no contiene datos.</translation>
    </message>
    <message>
        <source>arrived %1 UTC</source>
        <translation>recibida el %1 UTC</translation>
    </message>
    <message>
        <source>, changed %1 UTC</source>
        <translation>, modificada el %1 UTC</translation>
    </message>
    <message>
        <source>You are currently at Answer 1.</source>
        <translation>Ya está en la respuesta 1.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither an answer number nor a receipt code. Please enter the number of an answer, or the 8-character receipt code shown after sending it.</source>
        <translation>«%1» no es ni un número de respuesta ni un código de comprobante. Escriba el número de una respuesta o el código de comprobante de 8 caracteres que se muestra después de enviarla.</translation>
    </message>
    <message>
        <source>The receipt code &apos;%1&apos; could not be looked up in database table &apos;%2&apos; (%3).</source>
        <translation>No se pudo buscar el código de comprobante «%1» en la tabla «%2» de la base de datos (%3).</translation>
    </message>
    <message>
        <source>No answer has the receipt code &apos;%1&apos;.</source>
        <translation>Ninguna respuesta tiene el código de comprobante «%1».</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; does not exist yet in %2. Do you want to create it now and add the %3 to it?</source>
        <translation>El documento de Word «%1» aún no existe en %2. ¿Desea crearlo ahora y añadirle %3?</translation>
    </message>
    <message>
        <source>summary</source>
        <translation>el resumen</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>de %1</translation>
    </message>
    <message>
        <source>Form state: %1</source>
        <translation>Estado del formulario: %1</translation>
    </message>
</context>
<context>
    <name>quenlow::ReporterForm</name>
    <message>
        <source>Reporter</source>
        <translation>Informes</translation>
    </message>
    <message>
        <source>View and export data to Word Document</source>
        <translation>Ver los datos y pasarlos a un documento de Word</translation>
    </message>
    <message>
        <source>View and save Graphs of data for inclusion in Report</source>
        <translation>Ver y guardar gráficos de los datos para el informe</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Respuestas</translation>
    </message>
    <message>
        <source>Exit Reporter</source>
        <translation>Cerrar informes</translation>
    </message>
    <message>
        <source>&amp;Answers</source>
        <translation>&amp;Respuestas</translation>
    </message>
    <message>
        <source>Export Answers…</source>
        <translation>Exportar respuestas…</translation>
    </message>
    <message>
        <source>Add Chart to Report</source>
        <translation>Añadir gráfico al informe</translation>
    </message>
    <message>
        <source>Add Summary to Report</source>
        <translation>Añadir resumen al informe</translation>
    </message>
    <message>
        <source>Who Has Answered</source>
        <translation>Quién ha respondido</translation>
    </message>
</context>
<context>
    <name>quenlow::ScaleForm</name>
    <message>
        <source>A scale lets the form filler rate something by choosing one number, from the low end of the scale to its high end (e.g. from 1, &quot;Not at all&quot;, to 5, &quot;Very much&quot;).</source>
        <translation>Una escala permite a quien responde valorar algo eligiendo un número, desde el extremo inferior de la escala hasta el superior (p. ej., de 1, «Nada», a 5, «Mucho»).</translation>
    </message>
    <message>
        <source>Please enter the question for the scale  :</source>
        <translation>Escriba la pregunta de la escala:</translation>
    </message>
    <message>
        <source>The scale starts at :</source>
        <translation>La escala empieza en:</translation>
    </message>
    <message>
        <source>The scale ends at :</source>
        <translation>La escala termina en:</translation>
    </message>
    <message>
        <source>Label at the low end (e.g. &quot;Not at all&quot;) :</source>
        <translation>Etiqueta del extremo inferior (p. ej., «Nada»):</translation>
    </message>
    <message>
        <source>Label at the high end (e.g. &quot;Very much&quot;) :</source>
        <translation>Etiqueta del extremo superior (p. ej., «Mucho»):</translation>
    </message>
    <message>
        <source>Add Scale to HTML Form</source>
        <translation>Añadir escala al formulario HTML</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Edit Scale</source>
        <translation>Editar escala</translation>
    </message>
    <message>
        <source>Update Scale</source>
        <translation>Actualizar escala</translation>
    </message>
    <message>
        <source>The question text box is empty. You must first enter the question the scale answers.</source>
        <translation>El cuadro de la pregunta está vacío. Primero debe escribir la pregunta que se responde con la escala.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Scale to.</source>
        <translation>No hay ningún formulario abierto al que añadir una escala.</translation>
    </message>
    <message>
        <source>Add Scale To Form</source>
        <translation>Añadir escala al formulario</translation>
    </message>
</context>
<context>
    <name>quenlow::SubmitButtonForm</name>
    <message>
        <source>Submit Button</source>
        <translation>Botón de envío</translation>
    </message>
    <message>
        <source>Please enter the title of the Submit Button in the box below (e.g. Submit) :</source>
        <translation>Escriba en el cuadro de abajo el título del botón de envío (p. ej., Enviar):</translation>
    </message>
    <message>
        <source>Reset Button</source>
        <translation>Botón de restablecer</translation>
    </message>
    <message>
        <source>If you also wish to have a reset button on the Form enter the desired title of the Reset Button in the box below (e.g. Reset Form) and Check the Reset Button Check Box:</source>
        <translation>Si también quiere un botón de restablecer en el formulario, escriba en el cuadro de abajo su título (p. ej., Restablecer formulario) y marque la casilla «Incluir botón de restablecer»:</translation>
    </message>
    <message>
        <source>Reset Form</source>
        <translation>Restablecer formulario</translation>
    </message>
    <message>
        <source>Have Reset Button</source>
        <translation>Incluir botón de restablecer</translation>
    </message>
    <message>
        <source>Add button(s) to HTML Form</source>
        <translation>Añadir botón(es) al formulario HTML</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Submit Form</source>
        <translation>Enviar formulario</translation>
    </message>
    <message>
        <source>Edit Submit Button</source>
        <translation>Editar botón de envío</translation>
    </message>
    <message>
        <source>Update Submit Button</source>
        <translation>Actualizar botón de envío</translation>
    </message>
    <message>
        <source>The Submit button Title Text Box Is Empty. Please enter a name for the button.</source>
        <translation>El cuadro del título del botón de envío está vacío. Escriba un nombre para el botón.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Submit Button to.</source>
        <translation>No hay ningún formulario abierto al que añadir un botón de envío.</translation>
    </message>
    <message>
        <source>Add Submit Button To Form</source>
        <translation>Añadir botón de envío al formulario</translation>
    </message>
</context>
<context>
    <name>quenlow::TextAreaForm</name>
    <message>
        <source>Text Areas are used when you want extended feedback from the filler of the form. Ohterwise they are just like text boxes.</source>
        <translation>Las áreas de texto se usan cuando se desea una respuesta más extensa de quien responde. Por lo demás, son como los campos de texto.</translation>
    </message>
    <message>
        <source>Please enter the user instruction for the text area  :</source>
        <translation>Escriba la pregunta del área de texto:</translation>
    </message>
    <message>
        <source>Please enter the the number of rows you wish  :</source>
        <translation>Escriba el número de filas que desea:</translation>
    </message>
    <message>
        <source>Please enter the desired width (no. of characters) :</source>
        <translation>Escriba el ancho deseado (n.º de caracteres):</translation>
    </message>
    <message>
        <source>Please enter the default text to appear in the box  :</source>
        <translation>Escriba el texto predeterminado que aparecerá en el cuadro:</translation>
    </message>
    <message>
        <source>Add Text Area to HTML Form</source>
        <translation>Añadir área de texto al formulario HTML</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Enter any comments here.</source>
        <translation>Escriba aquí sus comentarios.</translation>
    </message>
    <message>
        <source>Edit Text Area Form Element</source>
        <translation>Editar área de texto</translation>
    </message>
    <message>
        <source>Update Text Area</source>
        <translation>Actualizar área de texto</translation>
    </message>
    <message>
        <source>Text Field Box Is Empty !</source>
        <translation>¡El cuadro de la pregunta está vacío!</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Text Area to.</source>
        <translation>No hay ningún formulario abierto al que añadir un área de texto.</translation>
    </message>
    <message>
        <source>Add Text Area To Form</source>
        <translation>Añadir área de texto al formulario</translation>
    </message>
</context>
<context>
    <name>quenlow::TextFieldForm</name>
    <message>
        <source>A text box allows the form filler to enter a single line of text into a form.</source>
        <translation>Un campo de texto permite a quien responde escribir una sola línea de texto en el formulario.</translation>
    </message>
    <message>
        <source>Please enter the user instruction for the text field  :</source>
        <translation>Escriba la pregunta del campo de texto:</translation>
    </message>
    <message>
        <source>Please enter box size (no. of characters long) :</source>
        <translation>Escriba el tamaño del cuadro (n.º de caracteres):</translation>
    </message>
    <message>
        <source>Please enter the maximum number of characters :</source>
        <translation>Escriba el número máximo de caracteres:</translation>
    </message>
    <message>
        <source>Please enter the default text to appear in the box  :</source>
        <translation>Escriba el texto predeterminado que aparecerá en el cuadro:</translation>
    </message>
    <message>
        <source>The answer to be given :</source>
        <translation>Tipo de respuesta:</translation>
    </message>
    <message>
        <source>Any text</source>
        <translation>Cualquier texto</translation>
    </message>
    <message>
        <source>Whole number</source>
        <translation>Número entero</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Número</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>E-mail address</source>
        <translation>Dirección de correo electrónico</translation>
    </message>
    <message>
        <source>Phone number</source>
        <translation>Número de teléfono</translation>
    </message>
    <message>
        <source>Smallest answer allowed :</source>
        <translation>Respuesta mínima permitida:</translation>
    </message>
    <message>
        <source>Largest answer allowed :</source>
        <translation>Respuesta máxima permitida:</translation>
    </message>
    <message>
        <source>Add Text Field to HTML Form</source>
        <translation>Añadir campo de texto al formulario HTML</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>AAAA-MM-DD</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>sin límite</translation>
    </message>
    <message>
        <source>The smallest answer allowed, &quot;%1&quot;, is not a %2. Please correct it or leave the box empty for no limit.</source>
        <translation>La respuesta mínima permitida, «%1», no es válida como %2. Corríjala o deje el cuadro vacío para no poner límite.</translation>
    </message>
    <message>
        <source>The largest answer allowed, &quot;%1&quot;, is not a %2. Please correct it or leave the box empty for no limit.</source>
        <translation>La respuesta máxima permitida, «%1», no es válida como %2. Corríjala o deje el cuadro vacío para no poner límite.</translation>
    </message>
    <message>
        <source>The smallest answer allowed (%1) is above the largest (%2). Please correct them.</source>
        <translation>La respuesta mínima permitida (%1) es superior a la máxima (%2). Corrija los valores.</translation>
    </message>
    <message>
        <source>Edit Text Field Form Element</source>
        <translation>Editar campo de texto</translation>
    </message>
    <message>
        <source>Update Text Field</source>
        <translation>Actualizar campo de texto</translation>
    </message>
    <message>
        <source>The user instruction text box is empty. You must first define a user instruction for the text field.</source>
        <translation>El cuadro de la pregunta está vacío. Primero debe definir una pregunta para el campo de texto.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Text Field to.</source>
        <translation>No hay ningún formulario abierto al que añadir un campo de texto.</translation>
    </message>
    <message>
        <source>Add Text Field To Form</source>
        <translation>Añadir campo de texto al formulario</translation>
    </message>
</context>
</TS>
