// The centring and object display lists on a recording fake engine: the
// lists the engine's name queries fill, the centring command of a double
// click, the three states of the planet page and what a tick turning writes
// back on each page (a change of selection writes nothing).
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTreeWidget>

#include "support/ListTicks.h"
#include "support/MainFormFixture.h"
#include "ui/QDarkStyle.h"

namespace {

using orvextest::MainFormFixture;
using Lines = std::vector<std::string>;

class ObjectLists : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        auto& answers = engine.recorded.answers;
        answers["Ssystem.AstrNames"] = "Sun Venus Earth";
        answers["Constes.ConsteNames"] = "And Ori UMa";
        answers["Fstars.FstarNames"] = "Sirius Vega";
        answers["Galaxies.GalaxyNames"] = "M31";
        answers["Ssystem.PlanetNames"] = "Mercury Venus Earth Mars";
        answers["Ssystem.ShowAstrBodies"] = "Venus Earth";
        answers["Ssystem.HlightAstrBodies"] = " Earth  Mars ";
        answers["Ssystem.AllCometNames"] = "Encke Halley Tempel1";
        answers["Ssystem.CometNames"] = "Encke";
        answers["Ssystem.AllAsteroidNames"] = "Ceres Vesta";
        answers["Ssystem.AsteroidNames"] = "";
    }
    static QStringList names(const QTreeWidget* list) {
        QStringList result;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            result << list->topLevelItem(i)->text(0);
        return result;
    }
    QTreeWidgetItem* displayItem(int i) const { return form->displayList->topLevelItem(i); }
    // The tick of each item as the display list draws it.
    std::vector<QImage> ticks() const {
        QTreeWidget* list = form->displayList;
        const QImage shot = list->viewport()->grab().toImage();
        std::vector<QImage> pictures;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            pictures.push_back(shot.copy(orvextest::tickRect(*list, list->topLevelItem(i))));
        return pictures;
    }
    // How many pixels of two pictures of a size differ by a third of the grey scale.
    static int clearlyApart(const QImage& a, const QImage& b) {
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                count += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 85;
        return count;
    }
    int page() const { return form->displayWidgetStack->currentIndex(); }
    Lines sent() {
        Lines lines;
        lines.swap(engine.recorded.lines);
        return lines;
    }
};

TEST_F(ObjectLists, CentringListsEachKindAndADoubleClickLooksOrTraces) {
    const std::pair<QRadioButton*, QStringList> kinds[] = {
        {form->centerConsteButton, {"And", "Ori", "UMa"}},
        {form->centerFixedStarButton, {"Sirius", "Vega"}},
        {form->centerGalaxyButton, {"M31"}},
        {form->centerPlanetButton, {"Sun", "Venus", "Earth"}},
    };
    for (const auto& [button, expected] : kinds) {
        button->click();
        EXPECT_EQ(names(form->centerList), expected);
    }

    // Without a current item a double click sends nothing.
    form->centeringSlot();
    EXPECT_TRUE(sent().empty());

    QTreeWidgetItem* venus = form->centerList->topLevelItem(1);
    form->centerList->setCurrentItem(venus);
    emit form->centerList->itemDoubleClicked(venus, 0);
    form->traceCheck->setChecked(true);
    emit form->centerList->itemDoubleClicked(venus, 0);
    EXPECT_EQ(sent(), Lines({"Camera.LookTo Venus 45", "Camera.TraceTo Venus 45"}));
}

TEST_F(ObjectLists, PlanetPageShowsHiddenShownAndHighlightedAsThreeStates) {
    form->displayPlanetButton->click();
    ASSERT_EQ(names(form->displayList), QStringList({"Mercury", "Venus", "Earth", "Mars"}));
    EXPECT_EQ(displayItem(0)->checkState(0), Qt::Unchecked);        // in neither list
    EXPECT_EQ(displayItem(1)->checkState(0), Qt::PartiallyChecked); // shown
    EXPECT_EQ(displayItem(2)->checkState(0), Qt::Checked);          // shown and highlighted
    EXPECT_EQ(displayItem(3)->checkState(0), Qt::Checked);          // highlighted
    EXPECT_TRUE(displayItem(0)->flags() & Qt::ItemIsUserTristate);
    EXPECT_EQ(page(), 5);
    EXPECT_TRUE(sent().empty());

    // Hidden, shown and highlighted read apart in each style.
    form->tabWidget->setCurrentWidget(form->TabPage);
    form->show();
    for (QStyle* style : {QStyleFactory::create("Windows"), static_cast<QStyle*>(new QDarkStyle)}) {
        QApplication::setStyle(style);
        const std::vector<QImage> pictures = ticks();
        for (auto [a, b] : {std::pair(0, 1), {1, 2}, {0, 2}})
            EXPECT_GE(clearlyApart(pictures[a], pictures[b]), 9) << a << b;
    }
    QApplication::setStyle(QStyleFactory::create("Windows"));

    // Only the ticks that turn reach the engine, each as the state it turned
    // to; a change of selection sends nothing, nor does the lists' reload.
    displayItem(0)->setCheckState(0, Qt::PartiallyChecked);
    EXPECT_EQ(sent(), Lines({"Ssystem.ShowAstrBodies Mercury"}));
    displayItem(1)->setSelected(true);
    EXPECT_TRUE(sent().empty());
    displayItem(1)->setCheckState(0, Qt::Checked);
    displayItem(3)->setCheckState(0, Qt::Unchecked);
    displayItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(sent(), Lines({"Ssystem.HlightAstrBodies Venus", "Ssystem.HideAstrBodies Mars",
                             "Ssystem.HlightAstrBodies Mercury"}));
    displayItem(2)->setSelected(true);
    EXPECT_TRUE(sent().empty());
}

TEST_F(ObjectLists, ATickTurnedWritesThatObjectAndItsListAndASelectionSendsNothing) {
    form->displayCometButton->click();
    ASSERT_EQ(names(form->displayList), QStringList({"Encke", "Halley", "Tempel1"}));
    EXPECT_EQ(displayItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(displayItem(1)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(page(), 1);

    // A tick is applied as it turns: that comet alone joins or leaves, so
    // that a view resting on another stays. A change of selection, which
    // turns no tick, sends nothing.
    auto& inSimulation = engine.recorded.answers["Ssystem.CometNames"];
    const Lines halley = {"Ssystem.AddComet Halley", "Ssystem.SaveCometList Default"};
    inSimulation = "Encke Halley";
    displayItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(sent(), halley);
    displayItem(2)->setSelected(true);
    EXPECT_TRUE(sent().empty());
    inSimulation = "Halley";
    displayItem(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(sent(), Lines({"Ssystem.RemoveComet Encke", "Ssystem.SaveCometList Default"}));
    displayItem(0)->setSelected(true);
    EXPECT_TRUE(sent().empty());
    // A scenario brings Encke back and takes Halley away behind the list's
    // back: the next tick turned leaves the list showing what it saved.
    inSimulation = "Encke Tempel1";
    displayItem(2)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(sent(), Lines({"Ssystem.AddComet Tempel1", "Ssystem.SaveCometList Default"}));
    EXPECT_EQ(displayItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(displayItem(1)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(displayItem(2)->checkState(0), Qt::Checked);

    // Clearing the comet names for the asteroid page, whose button is already
    // on, must not write the comets into the asteroid list.
    form->displayAsteroidButton->click();
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(names(form->displayList), QStringList({"Ceres", "Vesta"}));
    EXPECT_EQ(page(), 2);
    displayItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(sent(), Lines({"Ssystem.AddAsteroid Ceres", "Ssystem.SaveAsteroidList Default"}));
    displayItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(sent(), Lines({"Ssystem.AddAsteroid Vesta", "Ssystem.SaveAsteroidList Default"}));
    // Leaving the list has nothing left to write.
    form->displayFixedStarButton->click();
    EXPECT_TRUE(sent().empty());

    // Stars, galaxies and constellations have nothing to write back.
    for (QRadioButton* button :
         {form->displayFixedStarButton, form->displayGalaxyButton, form->displayConsteButton}) {
        button->click();
        displayItem(0)->setSelected(true);
        EXPECT_TRUE(sent().empty());
    }
}

TEST_F(ObjectLists, ConstellationButtonsActOnTheSelectedNames) {
    form->displayConsteButton->click();
    EXPECT_EQ(page(), 0);
    const std::pair<QPushButton*, std::string> buttons[] = {
        {form->consteShowLinesButton, "Constes.ShowLines "},
        {form->consteHlightLinesButton, "Constes.HlightLines "},
        {form->consteHideLinesButton, "Constes.HideLines "},
        {form->consteShowPictsButton, "Constes.ShowArts "},
        {form->consteHilightPictsButton, "Constes.HlightArts "},
        {form->consteHidePictsButton, "Constes.HideArts "},
        {form->consteShowLabelsButton, "Constes.ShowNames "},
        {form->consteHideLabelsButton, "Constes.HideNames "},
        {form->consteShowSepsButton, "Constes.ShowSeps "},
        {form->consteHideSepsButton, "Constes.HideSeps "},
    };
    // Nothing selected: the word with an empty list.
    form->consteHideSepsButton->click();
    EXPECT_EQ(sent(), Lines({"Constes.HideSeps "}));

    displayItem(2)->setSelected(true);
    displayItem(1)->setSelected(true);
    for (const auto& [button, word] : buttons) {
        button->click();
        EXPECT_EQ(sent(), Lines({word + "Ori UMa "}));
    }
    form->planetHighlightSlot();
    EXPECT_EQ(sent(), Lines({"Ssystem.HlightAstrBodies Ori UMa "}));
}

} // namespace
