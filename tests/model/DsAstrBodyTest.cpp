#include "model/DsAstrBody.h"

#include <cmath>

#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "ModelTestFiles.h"
#include "engine/LogMessage.h"
#include "model/OrbitMath.h"

namespace {

class BodyFixture : public ::testing::Test {
protected:
    void SetUp() override {
        system = systemWithModes(dir, 2);
        system->setServices(&view);
        body = std::make_unique<DsAstrBody>("Body", nullptr, system.get());
        DataFile file(writeFile(dir, "body.def",
                                "Radius: 149597870.0 0.5\nSimMode: 1 State: Show RadiusRate: 1 50\n"
                                "Place: A Latitude: 10 Longitude: 20 }\n"
                                "Place: B Latitude: 30 Longitude: 40 }\n"
                                "Place: C Latitude: -5 Longitude: 5 }\n}\n"));
        body->readDefinition(file);
    }
    orvextest::TempDir dir;
    FakeModelServices view;
    std::unique_ptr<Ssystem> system;
    std::unique_ptr<DsAstrBody> body;
};

} // namespace

TEST_F(BodyFixture, DefinitionSetsSizeStatesAndHomePlace) {
    EXPECT_DOUBLE_EQ(body->getRadius(), 1.0);
    EXPECT_DOUBLE_EQ(body->getPolarRatio(), 0.5);
    // No "State:" for sim mode 0: hidden there.
    EXPECT_EQ(body->getSimModeStates()[0].definedState, SimModeState::Hide);
    EXPECT_EQ(body->getState(), SimModeState::Hide);
    EXPECT_EQ(body->getSimModeStates()[1].state, SimModeState::Show);
    EXPECT_DOUBLE_EQ(body->getSimModeStates()[1].radiusRate1, 1.0);
    EXPECT_DOUBLE_EQ(body->getSimModeStates()[1].radiusRate2, 50.0);
    EXPECT_EQ(body->getHomePlaceName(), "C");
    EXPECT_EQ(body->getPlaceNameList(), "A B C ");
    EXPECT_EQ(body->formatPlace(1), "B 30 40");
    EXPECT_EQ(body->formatPlace(3), "");
    EXPECT_EQ(body->getPlace(-1), nullptr);
}

TEST_F(BodyFixture, CursorLeavesThePlacesOnlyInExamineMode) {
    body->selectPlace(2);
    body->selectNextPlace();
    EXPECT_EQ(body->getPlaceIndex(), -1);
    view.mode = ModelServices::Observe;
    body->selectPlace(2);
    body->selectNextPlace();
    EXPECT_EQ(body->getPlaceIndex(), 0);
    body->selectPrevPlace();
    EXPECT_EQ(body->getPlaceIndex(), 2);
    body->selectPlace(7); // outside: stays in Observe mode
    EXPECT_EQ(body->getPlaceIndex(), 2);
    body->selectPlace("Nowhere");
    EXPECT_EQ(body->getPlaceIndex(), 2);
    view.mode = ModelServices::Examine;
    body->selectPlace("Nowhere");
    EXPECT_EQ(body->getPlaceIndex(), -1);
    body->selectPrevPlace(); // from none: the last
    EXPECT_EQ(body->getPlaceIndex(), 2);
    body->selectPlace(0);
    body->selectPrevPlace();
    EXPECT_EQ(body->getPlaceIndex(), -1);
    body->selectHomePlace();
    EXPECT_EQ(body->getPlaceName(), "C");
    body->markSelected();
    EXPECT_EQ(body->getPlaceIndex(), -1);
    EXPECT_EQ(body->isSelected(), 1);
}

TEST_F(BodyFixture, EditingThePlaces) {
    body->selectHomePlace();
    body->removeSelectedPlace(); // the home place stays
    EXPECT_EQ(body->getPlaceCount(), 3);
    body->selectPlace(1);
    body->addNewPlace();
    EXPECT_EQ(body->getPlaceIndex(), 3);
    EXPECT_EQ(body->getPlaceName(), "New");
    EXPECT_DOUBLE_EQ(body->getSelectedPlaceLat(), 30.0);
    EXPECT_DOUBLE_EQ(body->getSelectedPlaceLon(), 40.0);
    body->setPlaceName("Hill"); // and the default place is added
    EXPECT_EQ(body->getPlaceNameList(), "A B C Hill Surface ");
    body->selectPlace("Hill");
    body->removeSelectedPlace();
    EXPECT_EQ(body->getPlaceNameList(), "A B C Surface ");
    EXPECT_EQ(body->getPlaceIndex(), 3);
    body->addPlace("Peak 1.5 2.5 -weather Snow");
    EXPECT_EQ(body->formatPlace(4), "Peak 1.5 2.5 -weather Snow");
    EXPECT_EQ(body->getPlaceIndex(), 3);
    body->clearPlaces();
    EXPECT_EQ(body->getPlaceCount(), 0);
    EXPECT_EQ(body->getPlaceIndex(), -1); // nothing left to point at
    EXPECT_EQ(body->getPlaceName(), "None");
    body->setPlaceWeather("Rain"); // no place: nothing happens
    view.defaultPlace = "";
    body->ensureDefaultPlace();
    body->ensureDefaultPlace();
    EXPECT_EQ(body->getPlaceNameList(), " ");
}

TEST_F(BodyFixture, ObserverPositionUsesThePlaceDistance) {
    LogCapture log;
    EXPECT_EQ(body->getObserveTrans(0, 2.0), Vector3());
    EXPECT_TRUE(log.contains("getObserveTrans() to NULL place."));
    // Frame after frame without a place: said once, not every frame.
    log.clear();
    body->getObserveTrans(0, 2.0);
    body->getObserveRot();
    EXPECT_TRUE(log.messages().empty());
    system->simMode(1);
    body->selectPlace(0);
    view.placeDist = 3.0;
    // Scale off: radius rate 1 = 1; the observer stands 3 radii from the centre.
    EXPECT_NEAR(body->getObserveTrans(0, 0.0).length(), 3.0, 1e-12);
    EXPECT_NEAR(body->getObserveTrans(0, 2.0).length(), 2.0, 1e-12);
    EXPECT_NEAR(body->getObserveTrans(1, 2.0).length(), 100.0, 1e-9);
    // Latitude 10 on a body with no spin: the observer's height above the
    // equator plane (z) is sin(10 degrees) of the distance.
    EXPECT_NEAR(body->getObserveTrans(0, 1.0).z, std::sin(10 * kDegToRad), 1e-12);
    // Losing the place again is news.
    body->clearPlaces();
    body->getObserveRot();
    EXPECT_TRUE(log.contains("getObserveRot() to NULL place."));
}

TEST_F(BodyFixture, StatesAndScale) {
    system->simMode(1);
    body->setState(3);
    EXPECT_EQ(body->getState(), SimModeState::Show);
    body->setState(SimModeState::Hlight);
    EXPECT_EQ(body->getState(), SimModeState::Hlight);
    EXPECT_EQ(body->getSimModeFlag(), SimModeState::Show);
    EXPECT_DOUBLE_EQ(body->getDisplayRadius(), 1.0);
    system->setScale(1);
    EXPECT_DOUBLE_EQ(body->getDisplayRadius(), 50.0);
}

TEST(DsAstrBody, ScaleRatioWithARateOfZero) {
    orvextest::TempDir dir;
    auto system = systemWithModes(dir, 1);
    DsAstrBody body("Flat", nullptr, system.get());
    DataFile file(writeFile(dir, "b.def", "SimMode: 0 State: Show RadiusRate: 0 0\n}\n"));
    body.readDefinition(file);
    EXPECT_DOUBLE_EQ(body.getScaleRatio(), 1.0);
    system->setScale(1);
    EXPECT_DOUBLE_EQ(body.getScaleRatio(), 1.0);
}

TEST(DsAstrBody, ChildrenAndTheListOfAllBodies) {
    orvextest::TempDir dir;
    auto system = systemWithModes(dir, 1);
    {
        DsAstrBody parent("P", nullptr, system.get());
        DataFile file(writeFile(dir, "p.def",
                                "Child: Satellite A\n}\nChild: Satellite B\n}\n"
                                "Child: Satellite A\n}\n}\n"));
        parent.readDefinition(file);
        EXPECT_EQ(system->getAllBodies().size(), 4u);
        parent.removeChild("A");
        EXPECT_EQ(parent.getChildren().size(), 1u);
        EXPECT_EQ(system->getAllBodies().size(), 2u);
    }
    EXPECT_TRUE(system->getAllBodies().empty());
}
