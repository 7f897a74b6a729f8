-- Two answers already collected for the form.
CREATE TABLE "tbl_survey" ("Form Question" TEXT, "Name" TEXT, "Tea" TEXT, "Smoker" TEXT);
INSERT INTO "tbl_survey" VALUES (NULL, 'Ann', 'Checked', 'No');
INSERT INTO "tbl_survey" VALUES (NULL, 'Bob', 'Not Checked', 'Yes');
