#include "map/cairo_renderer.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "map/colour_scale.h"
#include "map_test_support.h"

namespace tralva {
namespace {

// The disc of 30/d off the centre of its lattice, at (6, -4): no turn or
// mirror of the picture leaves a point's colour where it was.
FieldMap disc_map(std::string title) {
  const std::string text = test::disc_result(0, 0, 6, -4);
  ByteStream in(text);
  const std::vector<double> thresholds{3, 10, 100};
  auto made = make_field_map(std::get<LatticeField>(read_lattice_field(in)), thresholds, nullptr,
                             std::move(title), "Risultato: disco.txt");
  return std::get<FieldMap>(std::move(made));
}

std::string bytes_of(const FileBytes& file) {
  if (const auto* failure = std::get_if<Message>(&file)) ADD_FAILURE() << failure->text;
  return std::holds_alternative<std::string>(file) ? std::get<std::string>(file) : "";
}

struct PngReader {
  std::string_view bytes;
  static cairo_status_t read(void* closure, unsigned char* data, unsigned int length) {
    auto* self = static_cast<PngReader*>(closure);
    if (self->bytes.size() < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, self->bytes.data(), length);
    self->bytes.remove_prefix(length);
    return CAIRO_STATUS_SUCCESS;
  }
};

TEST(Pictures, APngIsAnA4PageAtItsDpiWithTheColourOfBUnderEachPoint) {
  const FieldMap map = disc_map("Prova");
  for (const int dpi : {100, 300}) {
    const std::string png = bytes_of(render_picture(map, PictureFormat::png, dpi));
    PngReader reader{png};
    cairo_surface_t* page = cairo_image_surface_create_from_png_stream(PngReader::read, &reader);
    ASSERT_EQ(cairo_surface_status(page), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(page), std::lround(297 / 25.4 * dpi));
    EXPECT_EQ(cairo_image_surface_get_height(page), std::lround(210 / 25.4 * dpi));
    if (dpi == 300) {
      // Points clear of the threshold lines, labels and grid lines, from the
      // low end of the colours to near the top.
      const ColourScale scale(map.field.maximum());
      for (const PlanPoint point : {PlanPoint{13.5, -16.25}, PlanPoint{-7.75, 3.5},
                                    PlanPoint{7.25, -2.75}, PlanPoint{-18.5, 18.5}}) {
        const PlanPoint at = page_position(map, point);
        const int x = static_cast<int>(at.x * dpi / 72), y = static_cast<int>(at.y * dpi / 72);
        const auto* pixel = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(page) + y * cairo_image_surface_get_stride(page) + x * 4);
        const Rgb expected = scale.colour(30 / std::hypot(point.x - 6, point.y + 4));
        EXPECT_NEAR((*pixel >> 16) & 0xff, expected.red, 4) << point.x << " " << point.y;
        EXPECT_NEAR((*pixel >> 8) & 0xff, expected.green, 4) << point.x << " " << point.y;
        EXPECT_NEAR(*pixel & 0xff, expected.blue, 4) << point.x << " " << point.y;
      }
    }
    cairo_surface_destroy(page);
  }
}

TEST(Pictures, PdfAndSvgAreOnePageWithRealText) {
  const FieldMap map = disc_map("Campo <sotto> la linea & dintorni");
  const std::string pdf = bytes_of(render_picture(map, PictureFormat::pdf, 300));
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  // One page object besides the page tree.
  const auto count = [&](std::string_view what) {
    int n = 0;
    for (std::size_t at = pdf.find(what); at != std::string::npos; at = pdf.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("/Type /Page") - count("/Type /Pages"), 1);
  const std::string svg = bytes_of(render_picture(map, PictureFormat::svg, 300));
  EXPECT_NE(svg.find("<image"), std::string::npos);
  EXPECT_NE(svg.find(">Campo &lt;sotto&gt; la linea &amp; dintorni</text>"), std::string::npos);
  EXPECT_NE(svg.find(">3 µT</text>"), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

}  // namespace
}  // namespace tralva
