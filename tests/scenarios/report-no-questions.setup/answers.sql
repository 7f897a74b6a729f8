-- A form without questions: its table has only the "Form Question" column,
-- and one visitor has sent the form.
CREATE TABLE "tbl_blank" ("Form Question" TEXT);
INSERT INTO "tbl_blank" VALUES (NULL);
