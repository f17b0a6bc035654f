#include "convert/result_conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "convert/convert_texts.h"
#include "ordinary_user.h"
#include "progress_recorder.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = convert_text;

// The four records of a 1 x 1 grid: (0, 0, 0, 1.5), (10, 0, 0, 2.5),
// (0, 10, 0, 3.5), (10, 10, 0, 4.5).
const char* const kSquare =
    "X\tY\tZ\tB\n0\t0\t0\t1.5\n10\t0\t0\t2.5\n0\t10\t0\t3.5\n10\t10\t0\t4.5\n";

using Conversion = test::CommandRun;

class ResultConversion : public testing::Test {
 protected:
  Conversion convert(const std::string& input, int sx, int sy, const char* fi = "0",
                     const char* psi = "0", const char* precision = "m", Clock* clock = nullptr) {
    test::write_file(dir.file("in.txt"), input);
    ResultConversionRequest request;
    request.steps_x = sx;
    request.steps_y = sy;
    request.fi = fi;
    request.psi = psi;
    request.result_precision = precision;
    request.gis_input_path = dir.file("in.txt");
    request.conversion_output_path = dir.file("out.txt");
    return run(request, clock);
  }
  Conversion run(const ResultConversionRequest& request, Clock* clock = nullptr) {
    return test::run_command(
        [&](ProgressSink& sink, Clock& c) { return convert_result(request, sink, c); },
        dir.file("out.txt"), clock);
  }
  test::TempDir dir;
};

TEST_F(ResultConversion, LaysTheFieldValuesOutAsAMatrix) {
  const Conversion c = convert(kSquare, 1, 1);
  EXPECT_EQ(c.message, information_message(text::kConversionDone));
  EXPECT_EQ(c.output, "0.0\t0\t10\r\n0\t1.500\t2.500\r\n10\t3.500\t4.500");
}

TEST_F(ResultConversion, OrientationByPsiFirstThenFi) {
  // fi 90 or 270 with a flat psi: columns from Y, rows from X.
  EXPECT_EQ(convert(kSquare, 1, 1, "90").output, "0.0\t0\t0\r\n0\t1.500\t2.500\r\n0\t3.500\t4.500");
  EXPECT_EQ(convert(kSquare, 1, 1, "270", "180").output,
            "0.0\t0\t0\r\n0\t1.500\t2.500\r\n0\t3.500\t4.500");
  // psi neither 0 nor 180: rows from Z with two decimals whatever the precision.
  EXPECT_EQ(convert(kSquare, 1, 1, "0", "90", "mm").output,
            "0.0\t0.000\t10.000\r\n0.00\t1.500\t2.500\r\n0.00\t3.500\t4.500");
  EXPECT_EQ(convert(kSquare, 1, 1, "90", "270").output,
            "0.0\t0\t0\r\n0.00\t1.500\t2.500\r\n0.00\t3.500\t4.500");
  // Texts read as integers: " 180" is 180, "abc" is 0.
  EXPECT_EQ(convert(kSquare, 1, 1, "abc", " 180").output, convert(kSquare, 1, 1, "0", "0").output);
}

// The points of a grid row keep their Y (as written) with fi 0 and 180,
// their X with 90 and 270.  A file read with an fi that does not fit gets
// its matrix all the same, and a warning naming the fi that fits.
TEST_F(ResultConversion, AnFiThatDoesNotFitTheRecordsIsWarnedOf) {
  const Conversion across = convert(kSquare, 1, 1, "90");
  EXPECT_EQ(across.message,
            warning_message("La matrice è stata scritta, ma non corrisponde al file compatibile\n"
                            "con l'ambiente GIS: con fi = 90° i primi 2 punti dovrebbero avere la "
                            "stessa X.\nIl file corrisponde a fi = 0°: ripetere la conversione "
                            "con questo valore."));
  EXPECT_EQ(across.output, "0.0\t0\t0\r\n0\t1.500\t2.500\r\n0\t3.500\t4.500");
  EXPECT_EQ(across.sink.only("at ").back(), "at 1000");

  const auto fitting = [](const Conversion& c) {
    const std::string& text = c.message.text;
    const auto at = text.find("corrisponde a fi = ");
    return c.message.kind != MessageKind::warning ? std::string("nessun avviso")
           : at == std::string::npos              ? std::string("nessuno")
                                     : text.substr(at + 19, text.find("°", at) - at - 19);
  };
  const char* const x_falling = "h\n10 0 0 1\n0 0 0 2\n10 5 0 3\n0 5 0 4\n";
  const char* const y_rising = "h\n0 0 0 1\n0 10 0 2\n5 0 0 3\n5 10 0 4\n";
  const char* const y_falling = "h\n0 10 0 1\n0 0 0 2\n5 10 0 3\n5 0 0 4\n";
  EXPECT_EQ(fitting(convert(kSquare, 1, 1, "270", "180")), "0");
  EXPECT_EQ(fitting(convert(x_falling, 1, 1, "90")), "180");
  EXPECT_EQ(fitting(convert(y_rising, 1, 1, "0")), "90");
  EXPECT_EQ(fitting(convert(y_falling, 1, 1, "180", "180")), "270");
  // Where the order fits: no warning.
  for (const Conversion& c : {convert(kSquare, 1, 1, "0"), convert(x_falling, 1, 1, "180"),
                              convert(y_rising, 1, 1, "90"), convert(y_falling, 1, 1, "270")}) {
    EXPECT_EQ(c.message, information_message(text::kConversionDone));
  }

  // "As written": Y 200.2 and 200.4 are one row in metres, two in decimetres.
  const char* const close_rows = "h\n0 200.2 0 1\n10 200.4 0 2\n";
  EXPECT_EQ(convert(close_rows, 1, 0, "0", "0", "m").message,
            information_message(text::kConversionDone));
  EXPECT_EQ(fitting(convert(close_rows, 1, 0, "0", "0", "dm")), "nessuno");

  // Rows that keep neither: the step counts are those of another grid.
  const Conversion swapped =
      convert("h\n0 0 0 1\n5 0 0 2\n0 5 0 3\n5 5 0 4\n0 10 0 5\n5 10 0 6\n", 2, 1);
  EXPECT_EQ(
      swapped.message,
      warning_message("La matrice è stata scritta, ma non corrisponde al file compatibile\n"
                      "con l'ambiente GIS: con fi = 0° i primi 3 punti dovrebbero avere la "
                      "stessa Y.\nNessun valore di fi corrisponde al file: verificare i passi "
                      "lungo X e lungo Y."));

  // Not looked at: an upright plane, an fi the lists do not offer, one point a row.
  EXPECT_EQ(convert(kSquare, 1, 1, "90", "90").message, information_message(text::kConversionDone));
  EXPECT_EQ(convert(kSquare, 1, 1, "45").message, information_message(text::kConversionDone));
  EXPECT_EQ(convert("h\n0 0 0 1\n5 5 0 2\n", 0, 1).message,
            information_message(text::kConversionDone));
}

TEST_F(ResultConversion, PrecisionFormatsAndSinglePrecisionValues) {
  const std::string input = "header\r\n4500000.1\t-2.345\t7\t0.0005\r\n";
  EXPECT_EQ(convert(input, 0, 0, "0", "0", "mm").output, "0.0\t4500000.000\r\n-2.345\t0.001");
  EXPECT_EQ(convert(input, 0, 0, "0", "0", "cm").output, "0.0\t4500000.00\r\n-2.35\t0.001");
  EXPECT_EQ(convert(input, 0, 0, "0", "0", "dm").output, "0.0\t4500000.0\r\n-2.3\t0.001");
  EXPECT_EQ(convert(input, 0, 0, "0", "0", "m").output, "0.0\t4500000\r\n-2\t0.001");
  // The same text as the C library prints for the values as floats.
  const float v = 0.0005f;
  EXPECT_EQ(test::c_printf("%.3f", static_cast<double>(v)), "0.001");
}

TEST_F(ResultConversion, AWrongValueCountIsRefusedAndTheOldOutputKept) {
  test::write_file(dir.file("out.txt"), "previous");
  // The last number with nothing after it counts one value short.
  std::string short_by_one = kSquare;
  short_by_one.pop_back();
  const Conversion cases[] = {
      convert(short_by_one, 1, 1),     convert(kSquare, 1, 2),
      convert(kSquare, 0, 0),          convert("", 0, 0),  // no first line at all
      convert("0\t0\t0\t1.5", 0, 0),                       // no line feed: all header
      convert("h\n1 2 3 4\n", -1, 0),                      // negative counts describe no grid
      convert("h\n1 2 3 4\n", -2, -2),                     // even when their product is 1
  };
  for (const Conversion& c : cases) {
    EXPECT_EQ(c.message, error_message(text::kValueCountMismatch));
    EXPECT_EQ(c.output, "previous");
    // The values are counted while they are read, so the bar may have moved;
    // it ends empty.
    const auto positions = c.sink.only("at ");
    if (!positions.empty()) {
      EXPECT_EQ(positions.back(), "at 0");
    }
  }
  EXPECT_TRUE(cases[5].sink.events.empty());  // nothing to read for no grid
}

TEST_F(ResultConversion, RecordsReadNumberCharacterNumber) {
  // Any one character between values, white space after it; CR LF ends.
  EXPECT_EQ(convert("h\r\n5;6; 7,\t0.25\r\n", 0, 0).output, "0.0\t5\r\n6\t0.250");
  // A value that cannot be read ends its record; what was not read is 0 and
  // the counts still decide the layout.
  EXPECT_EQ(convert("h\n1\t2\t3\tx\n4\t5\t6\t7\n", 1, 0).output, "0.0\t1\t0\r\n2\t0.000\t0.000");
  // The character after a record's last value is counted but not read: here
  // it starts the next record, whose first value then cannot be read.
  EXPECT_EQ(convert("h\n1 2 3 4x5 6 7 8\n", 1, 0).output, "0.0\t1\t0\r\n2\t4.000\t0.000");
}

TEST_F(ResultConversion, GridsOfAPointOrOfManyRows) {
  EXPECT_EQ(convert("h\n1 2 3 4\n", 0, 0).output, "0.0\t1\r\n2\t4.000");
  std::string input = "h\n";
  std::string expected = "0.0\t0\t1\t2";
  for (int r = 0; r < 50; ++r) {
    expected += "\r\n" + std::to_string(r);
    for (int c = 0; c < 3; ++c) {
      input +=
          std::to_string(c) + "\t" + std::to_string(r) + "\t9\t" + std::to_string(r * 3 + c) + "\n";
      expected += "\t" + std::to_string(r * 3 + c) + ".000";
    }
  }
  EXPECT_EQ(convert(input, 2, 49).output, expected);
}

TEST_F(ResultConversion, PathsAndFilesAreCheckedInOrder) {
  ResultConversionRequest request;
  request.gis_input_path = "";
  request.conversion_output_path = dir.file("out.txt");
  EXPECT_EQ(run(request).message, warning_message(text::kGisInputWithoutPath));
  request.gis_input_path = dir.file("missing.txt");
  request.conversion_output_path = "";
  EXPECT_EQ(run(request).message, warning_message(text::kConversionOutputWithoutPath));
  request.conversion_output_path = dir.file("out.txt");
  EXPECT_EQ(run(request).message, error_message(text::kCannotOpenGisInput, ENOENT));
  test::write_file(dir.file("in.txt"), kSquare);
  request.gis_input_path = dir.file("in.txt");
  request.conversion_output_path = dir.file("no/out.txt");
  EXPECT_EQ(run(request).message, error_message(text::kCannotCreateConversion, ENOENT));
}

TEST_F(ResultConversion, AFailedWriteIsAnErrorAndKeepsTheOldOutput) {
  std::string input = "h\n";
  for (int i = 0; i < 100000; ++i) input += "0 0 0 1e9\n";  // "\t1000000000.000" each
  test::write_file(dir.file("out.txt"), "previous");
  Conversion c;
  {
    const test::FileSizeLimit limit(1200000);  // the input fits, the output does not
    c = convert(input, 99999, 0);
  }
  EXPECT_EQ(c.message, error_message(text::kCannotCreateConversion, EFBIG));
  EXPECT_EQ(c.output, "previous");
  EXPECT_EQ(c.sink.only("at ").back(), "at 0");
}

// The matrix would replace the results it is made from: refused under any
// of their names, before anything is written.
TEST_F(ResultConversion, AnOutputThatIsTheInputIsRefused) {
  test::write_file(dir.file("in.txt"), kSquare);
  std::filesystem::create_hard_link(dir.file("in.txt"), dir.file("hard.txt"));
  std::filesystem::create_symlink(dir.file("in.txt"), dir.file("soft.txt"));
  for (const char* output : {"in.txt", "hard.txt", "soft.txt"}) {
    ResultConversionRequest request;
    request.steps_x = request.steps_y = 1;
    request.gis_input_path = dir.file("in.txt");
    request.conversion_output_path = dir.file(output);
    const Conversion c = run(request);
    EXPECT_EQ(c.message, error_message(text::kConversionIsInput)) << output;
    EXPECT_TRUE(c.sink.events.empty());
    EXPECT_EQ(test::read_file(dir.file("in.txt")), kSquare);
  }
  EXPECT_EQ(test::names_in(dir.path()),
            (std::vector<std::string>{"hard.txt", "in.txt", "soft.txt"}));
}

// A value beyond the float range would be written as "inf", which no reader
// takes for a number: refused, the previous matrix kept.  A value the
// layout does not write is no matter.
TEST_F(ResultConversion, ValuesBeyondTheirRangeAreRefused) {
  const std::string cells[] = {
      "h\n0 0 0 1e400\n10 0 0 2\n",  // a field value
      "h\n0 0 0 1\n1e39 0 0 2\n",    // a column coordinate, beyond the float range
      "h\n0 -1e39 0 1\n10 0 0 2\n",  // the row coordinate
  };
  for (const std::string& input : cells) {
    test::write_file(dir.file("out.txt"), "previous");
    const Conversion c = convert(input, 1, 0);
    EXPECT_EQ(c.message, error_message(text::kGisInputNotFinite)) << input;
    EXPECT_EQ(c.output, "previous");
    EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"in.txt", "out.txt"}));
  }
  EXPECT_EQ(convert("h\n0 0 1e39 1\n10 0 1e39 2\n", 1, 0).output, "0.0\t0\t10\r\n0\t1.000\t2.000");
}

TEST_F(ResultConversion, AMatrixThatCannotFitIsRefusedBeforeItIsWritten) {
  const test::SmallTmpfs disk(dir.path(), 256 << 10);
  if (!disk.mounted()) GTEST_SKIP() << "no small file system to fill: " << disk.reason();
  std::string input = "h\n";
  for (int i = 0; i < 30000; ++i) input += "0 0 0 1e9\n";  // "\t1000000000.000" each
  test::write_file(dir.file("in.txt"), input);
  test::write_file(disk.file("out.txt"), "previous");
  ResultConversionRequest request;
  request.steps_x = 29999;
  request.gis_input_path = dir.file("in.txt");
  request.conversion_output_path = disk.file("out.txt");
  const Conversion c = run(request);
  EXPECT_EQ(c.message, error_message(text::kCannotCreateConversion, ENOSPC));
  EXPECT_EQ(test::read_file(disk.file("out.txt")), "previous");
  EXPECT_EQ(test::names_in(disk.path()), std::vector<std::string>{"out.txt"});
  EXPECT_EQ(c.sink.only("at ").back(), "at 0");  // read, then the bar back to empty
}

TEST_F(ResultConversion, ProgressReadsToFiveHundredThenWritesToAThousand) {
  // Reading after record i: 500 i / N and elapsed x ((2N - i) / (i + 1));
  // writing after cell v: 500 + 500 (v + 1) / N (flat psi) or 500 + 500 v / N,
  // and elapsed x (N - done) / done.  The clock: reading starts at 0 and
  // reads 10, 20, 30, 40; writing starts at 100 and reads 110 ... 140.
  test::ScriptedClock clock({0, 10, 20, 30, 40, 100, 110, 120, 130, 140});
  Conversion flat = convert(kSquare, 1, 1, "0", "0", "m", &clock);
  EXPECT_EQ(flat.sink.events,
            (std::vector<std::string>{"range 0-1000", "at 0",         "left 0h1m20s",
                                      "refresh",                                  // 10 x 8
                                      "at 125",       "left 0h1m0s",  "refresh",  // 20 x (7 / 2)
                                      "at 250",       "refresh",  // 30 x (6 / 3): the same
                                      "at 375",       "left 0h0m40s", "refresh",  // 40 x (5 / 4)
                                      "at 625",       "left 0h0m30s", "refresh",  // 10 x 3 / 1
                                      "at 750",       "left 0h0m20s", "refresh",  // 20 x 2 / 2
                                      "at 875",       "left 0h0m10s", "refresh",  // 30 x 1 / 3
                                      "at 1000",      "left 0h0m0s",  "refresh",  // 40 x 0 / 4
                                      "refresh"}));
  test::ScriptedClock again({0, 10, 20, 30, 40, 100, 110, 120, 130, 140});
  Conversion upright = convert(kSquare, 1, 1, "0", "90", "m", &again);
  EXPECT_EQ(upright.sink.only("at "),
            (std::vector<std::string>{"at 0", "at 125", "at 250", "at 375", "at 500", "at 625",
                                      "at 750", "at 875", "at 1000"}));
}

}  // namespace
}  // namespace tralva
