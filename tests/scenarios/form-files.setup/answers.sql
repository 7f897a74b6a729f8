-- Two answers already collected for the form, with their arrival times.
CREATE TABLE "tbl_survey" ("Form Question" TEXT, "Name" TEXT, "Tea" TEXT, "Smoker" TEXT);
INSERT INTO "tbl_survey" VALUES (NULL, 'Ann', 'Checked', 'No');
INSERT INTO "tbl_survey" VALUES (NULL, 'Bob', 'Not Checked', 'Yes');
CREATE TABLE quenlow_arrivals (answers_table TEXT NOT NULL, row_id INTEGER, arrived TEXT NOT NULL, token TEXT UNIQUE, changed TEXT);
INSERT INTO quenlow_arrivals VALUES ('tbl_survey', 1, '2026-12-01T09:00:00Z', 'a1', NULL);
INSERT INTO quenlow_arrivals VALUES ('tbl_survey', 2, '2026-12-02T10:30:00Z', 'a2', NULL);
