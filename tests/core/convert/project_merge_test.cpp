#include "convert/project_merge.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "common/output_file.h"
#include "convert/convert_texts.h"
#include "ordinary_user.h"
#include "project/power_line.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = convert_text;

// The one-span, one-conductor example line with the given current.
std::string example_line(const char* current) {
  return std::string(project_header()) + current +
         " 1 2 30\r\n0 0\r\n0.000 0.000 0 90 300.000 0.000 0 90 \r\n20 20 \r\n2 2 \r\n1000 \r\n";
}

class ProjectMerge : public testing::Test {
 protected:
  Message merge(const std::string& parent, const std::string& child) {
    test::write_file(dir.file("padre.tlva"), parent);
    test::write_file(dir.file("figlio.tlva"), child);
    return merge_projects({dir.file("padre.tlva"), dir.file("figlio.tlva")});
  }
  std::string parent() const { return test::read_file(dir.file("padre.tlva")); }
  test::TempDir dir;
};

TEST_F(ProjectMerge, ParentLinesThenChildLinesInTheMergeFormats) {
  EXPECT_EQ(merge(example_line("100"), example_line("200")), information_message(text::kMergeDone));
  const std::string support_row =
      "0.000000 0.000000 0.000000 90.000000 300.000000 0.000000 0.000000 90.000000 ";
  EXPECT_EQ(parent(), std::string(project_header()) + "100 1 2 30 200 1 2 30\r\n" + "0 0 0 0 \r\n" +
                          support_row + support_row + "\r\n" +
                          "20 20 20 20 \r\n2 2 2 2 \r\n1000 1000 \r\n");
  EXPECT_EQ(test::read_file(dir.file("figlio.tlva")), example_line("200"));
}

TEST_F(ProjectMerge, AMergedFileMergesAgainAndReadsBackWhole) {
  ASSERT_EQ(merge(example_line("100"), example_line("200")).kind, MessageKind::information);
  test::write_file(dir.file("figlio.tlva"), example_line("300"));
  ASSERT_EQ(merge_projects({dir.file("padre.tlva"), dir.file("figlio.tlva")}).kind,
            MessageKind::information);
  const auto merged = read_project_data(dir.file("padre.tlva"));
  ASSERT_TRUE(merged && merged->complete);
  ASSERT_EQ(merged->lines.size(), 3u);
  EXPECT_EQ(merged->lines[0].current, 100.0f);
  EXPECT_EQ(merged->lines[1].current, 200.0f);
  EXPECT_EQ(merged->lines[2].current, 300.0f);
  EXPECT_EQ(parent().find("100 1 2 30 200 1 2 30 300 1 2 30\r\n"), project_header().size());
}

TEST_F(ProjectMerge, TheSamePathTwiceDoublesEveryLine) {
  test::write_file(dir.file("padre.tlva"), example_line("100"));
  EXPECT_EQ(merge_projects({dir.file("padre.tlva"), dir.file("padre.tlva")}).kind,
            MessageKind::information);
  EXPECT_EQ(parent().find("100 1 2 30 100 1 2 30\r\n"), project_header().size());
}

TEST_F(ProjectMerge, ValuesPassThroughSinglePrecisionAndTheirFormats) {
  // Row III through doubles with six decimals, every other value a float as %g.
  const std::string parent_text = std::string(project_header()) +
                                  "1234.5678 1 2 0.1\n120 0.333333333\n"
                                  "4500000.1234567 -0.0000004 1e-7 1234567 1 2 3 4\n"
                                  "1e6 2e-5\n7 8\n0.1\n";
  ASSERT_EQ(merge(parent_text, example_line("1")).kind, MessageKind::information);
  const std::string rows = parent().substr(project_header().size());
  EXPECT_EQ(rows.substr(0, rows.find("\r\n")), "1234.57 1 2 0.1 1 1 2 30");
  EXPECT_NE(rows.find("\r\n120 0.333333 0 0 \r\n4500000.123457 -0.000000 0.000000 "
                      "1234567.000000 1.000000 2.000000 3.000000 4.000000 "),
            std::string::npos);
  EXPECT_NE(rows.find("\r\n1e+06 2e-05 20 20 \r\n7 8 2 2 \r\n0.1 1000 \r\n"), std::string::npos);
}

TEST_F(ProjectMerge, MissingPathsAndFilesLeaveBothUntouched) {
  EXPECT_EQ(merge_projects({"", "x"}), warning_message(text::kParentWithoutPath));
  EXPECT_EQ(merge_projects({"x", ""}), warning_message(text::kChildWithoutPath));
  EXPECT_EQ(merge_projects({dir.file("none"), dir.file("none")}),
            error_message(text::kCannotOpenParent, ENOENT));
  test::write_file(dir.file("padre.tlva"), example_line("100"));
  EXPECT_EQ(merge_projects({dir.file("padre.tlva"), dir.file("none")}),
            error_message(text::kCannotOpenChild, ENOENT));
  EXPECT_EQ(parent(), example_line("100"));
}

TEST_F(ProjectMerge, FilesThatAreNotWholeProjectsAreRefusedBeforeAnythingIsWritten) {
  const std::string header(project_header());
  const std::string not_projects[] = {
      "",                                 // empty
      header.substr(0, 900),              // shorter than the header
      std::string(2000, '\x01'),          // binary
      header + "100 1 2 30",              // rows II to VI missing
      header + "100 1 2 30 \r\n0 0\r\n",  // row I runs on: six numbers
      header + "100 1 2 30 5\r\n0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\r\n",  // not whole lines
      header + "100 1 2000000000 30\r\n0 0\r\n",  // counts the file cannot hold
      header + "100 0 2 30\r\n\r\n",              // no conductor
      header + "100 1 2 30\r\n0 0\r\n0 0 0 90 300 zero 0 90\r\n20 20\r\n2 2\r\n1000\r\n",
      // Beyond the float range: it would be written back as "inf".
      header + "100 1 2 30\r\n0 0\r\n0 0 0 90 300 0 0 90\r\n20 1e39\r\n2 2\r\n1000\r\n",
      header + "100 1 2 30\r\n0 0\r\n0 0 0 90 1e999 0 0 90\r\n20 20\r\n2 2\r\n1000\r\n",
  };
  for (const std::string& bad : not_projects) {
    EXPECT_EQ(merge(bad, example_line("200")), error_message(text::kParentIncomplete));
    EXPECT_EQ(parent(), bad);
    EXPECT_EQ(merge(example_line("100"), bad), error_message(text::kChildIncomplete));
    EXPECT_EQ(parent(), example_line("100"));
  }
}

TEST_F(ProjectMerge, AFailedRewriteKeepsTheParent) {
  // The header alone is longer than the file size allowed.
  test::write_file(dir.file("padre.tlva"), example_line("100"));
  test::write_file(dir.file("figlio.tlva"), example_line("200"));
  Message message;
  {
    const test::FileSizeLimit limit(500);
    message = merge_projects({dir.file("padre.tlva"), dir.file("figlio.tlva")});
  }
  EXPECT_EQ(message, error_message(text::kCannotModifyParent, EFBIG));
  EXPECT_EQ(parent(), example_line("100"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

// The merge rewrites the parent where it is: in a folder where the user may
// change files but create none, the parent is written in place.
TEST_F(ProjectMerge, AParentInAFolderAllowingNoNewFileIsRewrittenInPlace) {
  ASSERT_EQ(merge(example_line("100"), example_line("200")).kind, MessageKind::information);
  const std::string merged = parent();
  test::write_file(dir.file("padre.tlva"), example_line("100"));
  chmod(dir.file("padre.tlva").c_str(), 0666);
  Message message;
  {
    const test::OrdinaryUser user(dir.path());
    ASSERT_TRUE(user.ready());
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    message = merge_projects({dir.file("padre.tlva"), dir.file("figlio.tlva")});
  }
  EXPECT_EQ(message, information_message(text::kMergeDone));
  EXPECT_EQ(parent(), merged);
  EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"figlio.tlva", "padre.tlva"}));
}

// A parent the user made read-only is not rewritten, whatever the folder
// allows; nor is a parent that is not a regular file.
TEST_F(ProjectMerge, AParentThatMayNotBeWrittenIsRefused) {
  test::write_file(dir.file("padre.tlva"), example_line("100"));
  test::write_file(dir.file("figlio.tlva"), example_line("200"));
  chmod(dir.file("padre.tlva").c_str(), 0444);
  Message message;
  {
    const test::OrdinaryUser user(dir.path());
    ASSERT_TRUE(user.ready());
    message = merge_projects({dir.file("padre.tlva"), dir.file("figlio.tlva")});
  }
  EXPECT_EQ(message, error_message(text::kCannotModifyParent, EACCES));
  EXPECT_EQ(parent(), example_line("100"));
  ASSERT_EQ(mkfifo(dir.file("fifo.tlva").c_str(), 0666), 0);
  EXPECT_EQ(merge_projects({dir.file("fifo.tlva"), dir.file("figlio.tlva")}),
            error_message(text::kCannotOpenParent));
  EXPECT_EQ(test::names_in(dir.path()),
            (std::vector<std::string>{"fifo.tlva", "figlio.tlva", "padre.tlva"}));
}

}  // namespace
}  // namespace tralva
