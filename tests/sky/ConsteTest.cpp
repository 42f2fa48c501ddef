#include "sky/Conste.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "platform/CurrentDirGuard.h"
#include "sky/ConsteArt.h"
#include "support/TestEnv.h"

namespace {

class ConsteTest : public ::testing::Test {
protected:
    // Loads a fixture from the fixture directory, as the set does.
    bool load(const std::string& name) {
        const platform::CurrentDirGuard guard(orvextest::dataPath("constes"));
        return conste.load(name);
    }
    // A strip as text: "(x,y,z)" per star, "|" per break.
    std::string strokes() const {
        std::string out;
        char text[96];
        for (const auto& s : conste.getStrokes()) {
            if (!s) {
                out += "|";
                continue;
            }
            std::snprintf(text, sizeof text, "(%g,%g,%g)", s->x, s->y, s->z);
            out += text;
        }
        return out;
    }
    std::string seps() const {
        std::string out;
        char text[64];
        for (const Conste::SepPoint& p : conste.getSeps()) {
            std::snprintf(text, sizeof text, "%g/%g ", p.ra, p.decl);
            out += text;
        }
        return out;
    }

    Conste conste;
    LogCapture log;
};

} // namespace

TEST_F(ConsteTest, ReadsEveryKeywordOfAConstellationFile) {
    ASSERT_TRUE(load("Alpha.cdl"));
    EXPECT_EQ(conste.getName(), "Alpha");
    EXPECT_EQ(conste.getCategory(), "Default");
    EXPECT_EQ(conste.getArtName(), "alpha.cat");
    EXPECT_EQ(conste.getPath(), "Alpha.cdl");
    EXPECT_EQ(conste.getRA(), 90.0);
    EXPECT_EQ(conste.getDecl(), 30.0);
    EXPECT_EQ(conste.getArea(), 100.5);
    // The closed outline repeats its first two points.
    EXPECT_EQ(seps(), "80/20 100/20 100/40 80/20 100/20 ");
    // x is the third number, y the first, z the second; the fourth is not used.
    EXPECT_EQ(strokes(), "(3,1,2)|(6,4,5)");
    EXPECT_EQ(conste.getFigureStarCount(), 2);
    EXPECT_DOUBLE_EQ(conste.getMinDist(), std::sqrt(14.0));
    EXPECT_DOUBLE_EQ(conste.getMaxDist(), std::sqrt(77.0));
    // The label sits toward Pos at the figure's mean distance.
    const Vector3 label = conste.getLabelPosition();
    const double d = 0.5 * (std::sqrt(14.0) + std::sqrt(77.0));
    EXPECT_NEAR(label.x, 0.0, 1e-12);
    EXPECT_NEAR(label.y, d * std::sqrt(3.0) / 2, 1e-12);
    EXPECT_NEAR(label.z, d * 0.5, 1e-12);
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(ConsteTest, BoundaryBlocksAddUpAndFigureBlocksReplace) {
    ASSERT_TRUE(load("Beta.cdl"));
    EXPECT_EQ(conste.getRA(), 180.0);
    EXPECT_EQ(conste.getDecl(), -45.0);
    EXPECT_EQ(conste.getArea(), 12.0);
    EXPECT_EQ(seps(), "170/-40 190/-40 170/-40 190/-40 190/-50 170/-40 190/-40 ");
    EXPECT_EQ(strokes(), "(2,0,0)(0,0,2)");
    EXPECT_EQ(conste.getMinDist(), 2.0);
    EXPECT_EQ(conste.getMaxDist(), 2.0);
}

TEST_F(ConsteTest, FileWithoutFigureKeepsTheDefaultsAndFigureNamesTheArt) {
    ASSERT_TRUE(load("Gamma.cdl"));
    EXPECT_EQ(conste.getCategory(), "Zodiac");
    EXPECT_EQ(conste.getArtName(), "gamma.cab"); // "Figure:" after "Art:"
    EXPECT_TRUE(conste.getStrokes().empty());
    EXPECT_EQ(conste.getMinDist(), 0.0);
    EXPECT_EQ(conste.getMaxDist(), 1.0);
    EXPECT_NEAR(conste.getLabelPosition().length(), 0.5, 1e-12);
}

TEST_F(ConsteTest, MalformedLinesAreLeftOutWithAMessage) {
    ASSERT_TRUE(load("odd.cdl"));
    // "nan" and "inf" would put the label nowhere.
    EXPECT_EQ(conste.getRA(), 0.0);
    EXPECT_EQ(conste.getDecl(), 10.0);
    EXPECT_EQ(conste.getArea(), 0.0);
    EXPECT_TRUE(log.contains("not finite"));
    // "oops" and "30" are no boundary points; the blank line is just blank.
    EXPECT_EQ(seps(), "10/20 20/30 10/20 20/30 ");
    EXPECT_TRUE(log.contains("2 boundary lines without two numbers"));
    // The star at the origin has no direction; "#" and " }" lines break the strip.
    EXPECT_EQ(strokes(), "(1,0,0)||(0,1,0)");
    EXPECT_TRUE(log.contains("1 figure stars at the origin"));
    EXPECT_EQ(conste.getMinDist(), 1.0);
    const Vector3 label = conste.getLabelPosition();
    EXPECT_TRUE(std::isfinite(label.x) && std::isfinite(label.y) && std::isfinite(label.z));
}

TEST_F(ConsteTest, OnePointBoundaryRepeatsThatPoint) {
    ASSERT_TRUE(load("single.cdl"));
    EXPECT_EQ(seps(), "10/20 10/20 10/20 ");
    EXPECT_EQ(conste.getName(), "Single"); // "Name:" at the end of the file has no value
}

TEST_F(ConsteTest, FigureBlockCutShortByTheEndOfTheFile) {
    ASSERT_TRUE(load("truncated2.cdl"));
    EXPECT_EQ(strokes(), "(0,1,0)(0,0,1)");
}

TEST_F(ConsteTest, BoundaryBlockRunsToTheEndOfTheFileWithoutItsBrace) {
    // A boundary block ends only at a "}" line: the rest of the file is read
    // as boundary points, and "Lines:" is none.
    ASSERT_TRUE(load("truncated.cdl"));
    EXPECT_EQ(seps(), "10/20 20/30 1/0 0/1 10/20 20/30 ");
    EXPECT_TRUE(conste.getStrokes().empty());
}

TEST_F(ConsteTest, EmptyFigureBlockKeepsTheLabelNearTheSphere) {
    ASSERT_TRUE(load("emptylines.cdl"));
    EXPECT_TRUE(conste.getStrokes().empty());
    EXPECT_NEAR(conste.getLabelPosition().length(), 0.5, 1e-12);
}

TEST_F(ConsteTest, FileThatDoesNotOpenChangesNothing) {
    EXPECT_FALSE(load("Nowhere.cdl"));
    EXPECT_TRUE(log.contains("Can't open conste file Nowhere.cdl. No such file or directory."));
    EXPECT_EQ(conste.getName(), "unknown");
    EXPECT_EQ(conste.getCategory(), "Default");
    EXPECT_EQ(conste.getPath(), "");
}

TEST_F(ConsteTest, ArtIsReadByItsExtensionFromTheDataDirectory) {
    orvextest::TempDir dir;
    const auto withArt = [&](const std::string& art) {
        std::ofstream(dir.file("c.cdl")) << "Name: C\nArt: " << art << "\n";
        Conste c;
        c.setDataDir(orvextest::dataPath("constes"));
        EXPECT_TRUE(c.load(dir.file("c.cdl")));
        return c.readArt();
    };
    EXPECT_EQ(withArt("alpha.cat").blocks.size(), 2u);
    EXPECT_EQ(withArt("beta.cab").pointCount(), 5);
    // The comparison is exact: neither upper case nor other names are art.
    EXPECT_TRUE(withArt("BETA.CAB").empty());
    EXPECT_TRUE(withArt("beta").empty());
    EXPECT_TRUE(withArt("beta.png").empty());
    EXPECT_TRUE(conste.readArt().empty()); // no "Art:" at all
    EXPECT_TRUE(log.messages().empty());

    // A data directory that is gone reads nothing, with a message.
    Conste lost;
    lost.setDataDir(dir.file("gone"));
    std::ofstream(dir.file("lost.cdl")) << "Art: alpha.cat\n";
    ASSERT_TRUE(lost.load(dir.file("lost.cdl")));
    EXPECT_TRUE(lost.readArt().empty());
    EXPECT_TRUE(log.contains("Can't open constellation directory"));
}

TEST_F(ConsteTest, NamesAndPathsOfAnyLength) {
    orvextest::TempDir dir;
    const std::string name(5000, 'N');
    const std::string deep = dir.file(std::string(200, 'd') + "/" + std::string(200, 'e'));
    std::filesystem::create_directories(deep);
    std::ofstream(deep + "/long.cdl") << "Name: " << name << "\nArt: beta.cab\n";
    std::filesystem::copy_file(orvextest::dataPath("constes/beta.cab"), deep + "/beta.cab");
    ASSERT_TRUE(conste.load(deep + "/long.cdl"));
    EXPECT_EQ(conste.getName(), name);
    conste.setDataDir(deep);
    EXPECT_EQ(conste.readArt().pointCount(), 5);
}
