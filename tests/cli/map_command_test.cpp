#include "map_command.h"

#include <gtest/gtest.h>

#include "map/map_texts.h"
#include "ordinary_user.h"
#include "run_tralva_util.h"
#include "test_support.h"

namespace tralva::cli {
namespace {

class Mappa : public ::testing::Test {
 protected:
  Mappa() {
    const std::string examples = TRALVA_EXAMPLES_DIR;
    tralva_util({"campo", examples + "/linea-aerea.tlva", "--piano", "--origine", "-50", "-60",
                 "--passo", "10", "10", "--passi", "80", "12", "--quota", "1", result_});
  }
  Outcome mappa(Arguments extra) {
    Arguments a{"mappa", result_};
    a.insert(a.end(), extra.begin(), extra.end());
    return tralva_util(a);
  }
  test::TempDir dir_;
  const std::string result_ = dir_.file("campo.txt");
};

TEST_F(Mappa, WritesTheMapsAndSummarisesThem) {
  const Outcome r =
      mappa({"--progetto", std::string(TRALVA_EXAMPLES_DIR) + "/linea-aerea.tlva", "--epsg", "3003",
             "--soglie", "1,3", "-o", dir_.file("m.pdf"), "-o", dir_.file("m.GPKG")});
  EXPECT_EQ(r.status, kSuccess) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Mappe scritte: " + dir_.file("m.pdf") + ", " + dir_.file("m.GPKG") +
                            "\nGriglia di 81 × 13 punti\nCampo massimo: ",
                        0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("\nArea con almeno 1 uT: "), std::string::npos);
  EXPECT_EQ(test::read_file(dir_.file("m.pdf")).substr(0, 5), "%PDF-");
  // GIS files without a coordinate system: written, with a warning.
  const Outcome bare = mappa({"-o", dir_.file("m.tif")});
  EXPECT_EQ(bare.status, kWarning);
  EXPECT_EQ(bare.err, "Attenzione: " + std::string(map_text::kNoCoordinateSystem) + "\n");
  EXPECT_TRUE(test::exists(dir_.file("m.tif")));
}

TEST_F(Mappa, BadUsageNamesTheOptionAndWritesNothing) {
  const std::string png = dir_.file("m.png");
  const struct {
    Arguments arguments;
    std::string error;
  } cases[] = {
      {{}, "Errore: manca l'opzione «-o».\n"},
      {{"-o", dir_.file("m.jpg")},
       "Errore: -o: «" + dir_.file("m.jpg") +
           "» non ha un'estensione nota (.png, .svg, .pdf, .tif, .gpkg).\n"},
      {{"-o", png, "-o", dir_.file("./m.png")},
       "Errore: -o: «" + dir_.file("./m.png") + "» è indicato due volte.\n"},
      {{"--soglie", "3,10,10", "-o", png},
       "Errore: --soglie: le soglie devono essere crescenti: «10» non supera «10».\n"},
      {{"--soglie", "0,3", "-o", png}, "Errore: --soglie: «0» non è una soglia positiva.\n"},
      {{"--soglie", "3;10", "-o", png}, "Errore: --soglie: «3;10» non è un numero.\n"},
      {{"--soglie", "1,2,3,4,5,6,7,8,9", "-o", png}, "Errore: --soglie: al più 8 soglie.\n"},
      {{"--epsg", "99999", "-o", png}, "Errore: --epsg: «99999» non è un codice EPSG noto.\n"},
      {{"--epsg", "tremila", "-o", png}, "Errore: --epsg: «tremila» non è un numero intero.\n"},
      {{"--dpi", "1200", "-o", png}, "Errore: --dpi: «1200» deve essere tra 30 e 600.\n"},
      {{"--titolo", "T", "--titolo", "U", "-o", png}, "Errore: opzione ripetuta: «--titolo».\n"},
  };
  for (const auto& c : cases) {
    const Outcome r = mappa(c.arguments);
    EXPECT_EQ(r.status, kUsage) << c.error;
    EXPECT_EQ(r.err.substr(0, r.err.find("Uso: ")), c.error);
  }
  EXPECT_EQ(test::names_in(dir_.path()), std::vector<std::string>{"campo.txt"});
}

}  // namespace
}  // namespace tralva::cli
