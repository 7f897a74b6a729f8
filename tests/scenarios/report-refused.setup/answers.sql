-- The form "empty" has its answers table but nobody has answered yet; the
-- table of the form "gone" was deleted from the database.
CREATE TABLE "tbl_empty" ("Form Question" TEXT, "Your name" TEXT);
