-- Five submissions. Cy's age was stored before the question took only whole
-- numbers; Eve answered neither the age nor the scale.
CREATE TABLE "tbl_survey" (
  "Form Question" TEXT, "Your name" TEXT, "Age" TEXT, "Tea" TEXT, "Coffee" TEXT, "Juice" TEXT,
  "How much did you enjoy the day?" TEXT);
INSERT INTO "tbl_survey" VALUES
  (NULL, 'Ann', '34', 'Checked', 'Not Checked', 'Checked', '8'),
  (NULL, 'Bob', '41', 'Checked', 'Checked', 'Not Checked', '10'),
  (NULL, 'Cy', 'forty', 'Not Checked', 'Checked', 'Not Checked', '8'),
  (NULL, 'Dee', '29', 'Checked', 'Not Checked', 'Not Checked', '3'),
  (NULL, 'Eve', NULL, 'Not Checked', 'Not Checked', 'Not Checked', NULL);
