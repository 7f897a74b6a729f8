-- The survey form's answers: four submissions. The 70-character question was
-- added after the first answer and Size after the second, so those rows hold
-- the marker the program writes into rows older than a column.
CREATE TABLE "tbl_survey" (
  "Form Question" TEXT, "Your name" TEXT, "Comments" MEMO, "Tea" TEXT, "Colour" TEXT,
  "How many cups of tea or coffee do you drink on an ordinary worki" TEXT, "Size" TEXT);
INSERT INTO "tbl_survey" VALUES
  (NULL, 'Ann & Bob <b>', '<script>alert(''hi'')</script>', 'Checked', 'Red',
   '*Column added after this answer*', '*Column added after this answer*'),
  (NULL, 'Zoë "Zed"', 'Fine', 'Checked', 'Blue', '4', '*Column added after this answer*'),
  (NULL, 'Carl', NULL, 'Not Checked', 'Red', '2', 'Large'),
  (NULL, 'Dora', 'Too much tea.', 'checked', 'Purple', '1', 'Small');
