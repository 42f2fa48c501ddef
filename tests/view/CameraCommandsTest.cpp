#include "CameraFixture.h"

#include <vector>

using orvextest::CameraFixture;

namespace {

class CameraCommands : public CameraFixture {};

} // namespace

TEST_F(CameraCommands, RegistersSixtyNineOfItsWords) {
    const int index = world.root.interp.getClassCount() - 1;
    ASSERT_EQ(world.root.interp.getClassName(index), "Camera");
    const std::vector<std::string> listed = {"Rotate",        "Euler",
                                             "Dist",          "Fov",
                                             "Orient",        "Zoom",
                                             "Pos",           "UnderLimit",
                                             "ZoomMinLimit",  "ZoomMaxLimit",
                                             "PlaceDist",     "Mode",
                                             "AnimLength",    "Animating",
                                             "HeadLight",     "InvertMouse",
                                             "ViewLogFormat", "PSystem",
                                             "PSFilename",    "TargetName",
                                             "RotateTo",      "EulerTo",
                                             "DistTo",        "RefRotate",
                                             "RefEuler",      "RefDist",
                                             "RefRotateTo",   "RefEulerTo",
                                             "RefDistTo",     "OrientTo",
                                             "FovTo",         "ZoomTo",
                                             "RefOrient",     "RefFov",
                                             "RefZoom",       "RefOrientTo",
                                             "RefFovTo",      "RefZoomTo",
                                             "PosTo",         "RefPos",
                                             "RefPosTo",      "PlaceDistTo",
                                             "LookAt",        "LookAtTo",
                                             "Look",          "LookTo",
                                             "LookPlace",     "LookPlaceOffset",
                                             "LookPlaceTo",   "LookPlaceOffsetTo",
                                             "TraceAt",       "TraceAtTo",
                                             "Trace",         "TraceTo",
                                             "ModeTo",        "ModePrev",
                                             "ModeNext",      "HeadLightTog",
                                             "RecordView"};
    const std::vector<std::string> hidden = {
        "SelectMode", "CurConste", "ConsteName", "AccelDistRate", "AnimSense",
        "Velocity",   "VelocityX", "VelocityY",  "VelocityZ",     "Speed"};
    ASSERT_EQ(world.root.interp.getCommandCount(index), 69);
    std::vector<std::string> listedSeen, hiddenSeen;
    for (int i = 0; i < 69; ++i) {
        const std::string name = world.root.interp.getCommandName(index, i);
        (world.root.interp.isCommandListed(index, i) ? listedSeen : hiddenSeen).push_back(name);
        for (const char* unregistered : {"OffsetRotate", "OffsetEuler", "OffsetRotateTo",
                                         "OffsetEulerTo", "TracePlace", "TracePlaceTo", "ModeTog"})
            EXPECT_NE(name, unregistered);
    }
    EXPECT_EQ(listedSeen, listed);
    EXPECT_EQ(hiddenSeen, hidden);
    // Hidden words stand at their places: SelectMode right after HeadLight.
    EXPECT_EQ(world.root.interp.getCommandName(index, 15), "SelectMode");
    EXPECT_EQ(world.root.interp.getCommandName(index, 46), "Velocity");
}

TEST_F(CameraCommands, DefaultValueTexts) {
    const std::pair<const char*, const char*> expected[] = {{"Rotate", " 0 0 1 0"},
                                                            {"Euler", " 0 0 0"},
                                                            {"OffsetRotate", " 0 0 1 0"},
                                                            {"OffsetEuler", " 0 0 0"},
                                                            {"Dist", " 5"},
                                                            {"Orient", " 0 0"},
                                                            {"Fov", " 45"},
                                                            {"Zoom", " 45"},
                                                            {"Pos", " 0 0 0"},
                                                            {"PlaceDist", " 1"},
                                                            {"UnderLimit", " 0"},
                                                            {"ZoomMaxLimit", " 45"},
                                                            {"ZoomMinLimit", " 5"},
                                                            {"AnimSense", " 360"},
                                                            {"AccelDistRate", " 1 1"},
                                                            {"Mode", "Examine"},
                                                            {"SelectMode", " 0"},
                                                            {"HeadLight", " 0"},
                                                            {"AnimLength", " 60"},
                                                            {"InvertMouse", " 0"},
                                                            {"ViewLogFormat", " 0"},
                                                            {"PSystem", " 1"},
                                                            {"Animating", " 0"},
                                                            {"PSFilename", "None"},
                                                            {"TargetName", ""},
                                                            {"CurConste", ""},
                                                            {"ConsteName", ""},
                                                            {"RotateTo", "Undefined"},
                                                            {"Velocity", "Undefined"},
                                                            {"Speed", "Undefined"},
                                                            {"LookAt", "Undefined"},
                                                            {"Trace", "Undefined"},
                                                            {"Nope", "Undefined"}};
    for (const auto& [word, text] : expected)
        EXPECT_EQ(value(word), text) << word;
}

TEST_F(CameraCommands, EveryWordSetsWhatItsValueShows) {
    struct Case {
        const char* line;
        int frames; // nominal frames to run before the query
        const char* query;
        const char* expected;
    };
    const Case cases[] = {
        {"Rotate 0 1 0 90", 0, "Rotate", " 0 1 0 90"},
        {"Euler 10 20 30", 0, "Euler", " 10 20 30"},
        {"RotateTo 1 0 0 45 4", 4, "Rotate", " 1 0 0 45"},
        {"EulerTo 0 30 0 3", 3, "Euler", " 0 30 0"},
        {"Rotate 0 0 1 0", 0, "Rotate", " 0 0 1 0"},
        {"RefRotate 0 0 1 20", 0, "Rotate", " 0 0 1 20"},
        {"RefRotateTo 0 0 1 20 2", 2, "Rotate", " 0 0 1 40"},
        {"RefEuler 0 0 15", 0, "Euler", " 0 0 55"},
        {"RefEulerTo 0 0 5 2", 2, "Euler", " 0 0 60"},
        {"OffsetRotate 1 0 0 30", 0, "OffsetRotate", " 1 0 0 30"},
        {"OffsetEuler 0 15 0", 0, "OffsetEuler", " 0 15 0"},
        {"OffsetRotateTo 0 1 0 60 3", 3, "OffsetRotate", " 0 1 0 60"},
        {"OffsetEulerTo 0 0 20", 1, "OffsetEuler", " 0 0 20"},
        {"Dist 7", 0, "Dist", " 7"},
        {"DistTo 9 5", 5, "Dist", " 9"},
        {"RefDist -2", 0, "Dist", " 7"},
        {"RefDistTo 3 2", 2, "Dist", " 10"},
        {"Orient 10 20", 0, "Orient", " 10 20"},
        {"OrientTo 30 40 2", 2, "Orient", " 30 40"},
        {"RefOrient 5 -10", 0, "Orient", " 35 30"},
        {"RefOrientTo 5 10", 1, "Orient", " 40 40"},
        {"Fov 30", 0, "Fov", " 30"},
        {"FovTo 20 2", 2, "Fov", " 20"},
        {"RefFov 5", 0, "Fov", " 25"},
        {"RefFovTo -5 3", 3, "Fov", " 20"},
        {"Zoom 30", 0, "Zoom", " 30"},
        {"ZoomTo 40 2", 2, "Zoom", " 40"},
        {"RefZoom -10", 0, "Zoom", " 30"},
        {"RefZoomTo -5", 1, "Zoom", " 25"},
        {"PlaceDist 2", 0, "PlaceDist", " 2"},
        {"PlaceDistTo 3 4", 4, "PlaceDist", " 3"},
        {"UnderLimit -10", 0, "UnderLimit", " -10"},
        {"ZoomMinLimit 3", 0, "ZoomMinLimit", " 3"},
        {"ZoomMaxLimit 60", 0, "ZoomMaxLimit", " 60"},
        {"AnimLength 0", 0, "AnimLength", " 60"},
        {"AnimLength 30", 0, "AnimLength", " 30"},
        {"HeadLight 1", 0, "HeadLight", " 1"},
        {"HeadLight", 0, "HeadLight", " 0"},
        {"HeadLightTog", 0, "HeadLight", " 1"},
        {"SelectMode 1", 0, "SelectMode", " 1"},
        {"SelectMode 0", 0, "SelectMode", " 0"},
        {"InvertMouse 3", 0, "InvertMouse", " 3"},
        {"ViewLogFormat 5", 0, "ViewLogFormat", " 1"},
        {"AccelDistRate 2", 0, "AccelDistRate", " 2 0"},
        {"AnimSense 100", 0, "AnimSense", " 100"},
        {"PSystem 0", 0, "PSystem", " 0"},
        {"PSFilename effects/rain.dfx", 0, "PSFilename", "effects/rain.dfx"},
        {"Pos 1 2 3", 0, "Pos", " 1 2 3"},
        {"PosTo 4 5 6 100", 0, "Pos", " 4 5 6"},
        {"RefPos 1 1 1", 0, "Pos", " 5 6 7"},
        {"RefPosTo -5 -6 -7 50", 0, "Pos", " 0 0 0"},
        {"Mode Flight", 0, "Mode", "Flight"},
        {"Mode Examine", 0, "Mode", "Examine"},
        {"Mode Fly", 0, "Mode", "Flight"},
        {"ModeTo Examine", 0, "Animating", " 1"},
        {"ModeTo Flight", 0, "Mode", "Examine"},
        {"TraceAt 10 20", 0, "TargetName", "R.A.1.00e+01 Decl.2.00e+01"},
        {"TraceAtTo 150 -20.5 2", 2, "TargetName", "R.A.1.50e+02 Decl.-2.05e+01"},
        {"Trace Mars", 0, "TargetName", "Mars"},
        {"Trace Nobody", 0, "TargetName", ""},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(run(std::string("Camera.") + c.line), 1) << c.line;
        frames(c.frames);
        EXPECT_EQ(value(c.query), c.expected) << c.line;
    }
    EXPECT_TRUE(world.log.messages().empty()) << world.log.messages().front();
}

TEST_F(CameraCommands, QueryWordsAndBadModesAreErrors) {
    for (const char* line :
         {"Camera.Animating", "Camera.CurConste", "Camera.ConsteName", "Camera.TargetName",
          "Camera.Nope", "Camera.Mode flight", "Camera.Mode", "Camera.rotate 0 1 0 10"}) {
        world.log.clear();
        EXPECT_EQ(run(line), 0) << line;
        EXPECT_TRUE(world.log.contains("Command Error : Camera.")) << line;
    }
    EXPECT_EQ(value("Mode"), "Examine");
    EXPECT_EQ(value("Rotate"), " 0 0 1 0");
}

TEST_F(CameraCommands, AnglesLoseWholeTurnsAndStepsAreAtLeastOne) {
    run("Camera.Rotate 0 1 0 370");
    const std::string ten = value("Rotate");
    EXPECT_EQ(ten, " 0 1 0 10");
    run("Camera.Rotate 0 1 0 -370");
    const std::string minus370 = value("Rotate");
    run("Camera.Rotate 0 1 0 -10");
    EXPECT_EQ(minus370, value("Rotate"));

    // A To form without a step count, or with 0, arrives on the next frame.
    for (const char* line : {"Camera.RotateTo 0 1 0 90", "Camera.RotateTo 0 1 0 90 0"}) {
        run("Camera.Rotate 0 0 1 0");
        run(line);
        EXPECT_EQ(value("Rotate"), " 0 0 1 0") << line;
        frames(1);
        EXPECT_EQ(value("Rotate"), " 0 1 0 90") << line;
    }

    // RefRotate twice turns the view by twice the angle.
    run("Camera.Rotate 0 0 1 0");
    run("Camera.RefRotate 0 1 0 10;Camera.RefRotate 0 1 0 10");
    EXPECT_EQ(value("Rotate"), " 0 1 0 20");
}

TEST_F(CameraCommands, FieldsOfViewKeepTheirLimits) {
    run("Camera.Fov 90");
    EXPECT_EQ(value("Fov"), " 45");
    run("Camera.RefFov -100");
    EXPECT_EQ(value("Fov"), " 5");
    run("Camera.Fov");
    EXPECT_EQ(value("Fov"), " 5"); // missing reads as 0, raised to the minimum
    run("Camera.Zoom 45;Camera.RefZoom -10");
    EXPECT_EQ(value("Zoom"), " 35");
    frames(3);
    EXPECT_EQ(value("Zoom"), " 35");
    run("Camera.Zoom 45;Camera.RefZoom -100");
    EXPECT_EQ(value("Zoom"), " 5");

    // A minimum above the maximum: the maximum wins.
    run("Camera.ZoomMinLimit 50;Camera.ZoomMaxLimit 40");
    for (const char* line :
         {"Camera.Fov 10", "Camera.FovTo 90", "Camera.RefFov -30", "Camera.RefFovTo 30"}) {
        run(line);
        frames(1);
        EXPECT_EQ(value("Fov"), " 40") << line;
    }
    for (const char* line :
         {"Camera.Zoom 10", "Camera.ZoomTo 90", "Camera.RefZoom -30", "Camera.RefZoomTo 30"}) {
        run(line);
        frames(1);
        EXPECT_EQ(value("Zoom"), " 40") << line;
    }
}

TEST_F(CameraCommands, RelativeDistanceAndAzimuthTurns) {
    run("Camera.Dist 5;Camera.RefDist 2");
    EXPECT_EQ(value("Dist"), " 7");
    frames(2);
    EXPECT_EQ(value("Dist"), " 7");

    // From an azimuth of 725 the way to 10 is 5 degrees on, not 715 back.
    run("Camera.Orient 0 725");
    run("Camera.OrientTo 0 10 30");
    EXPECT_EQ(value("Orient"), " 0 5");
    Transition::tickAll(15.0);
    EXPECT_EQ(value("Orient"), " 0 7.5");
    Transition::tickAll(15.0);
    EXPECT_EQ(value("Orient"), " 0 10");
}

TEST_F(CameraCommands, NoNaNFromMissingOrWildArguments) {
    run("Camera.Rotate 0 1 0 30");
    // No axis: the rotation stays, and the command still succeeds.
    for (const char* line :
         {"Camera.Rotate", "Camera.Rotate 0 0 0 45", "Camera.RotateTo", "Camera.RefRotate 0 0 0 10",
          "Camera.RefRotateTo", "Camera.OffsetRotate", "Camera.OffsetRotateTo 0 0 0 5 3"}) {
        EXPECT_EQ(run(line), 1) << line;
        frames(3);
        EXPECT_EQ(value("Rotate"), " 0 1 0 30") << line;
        EXPECT_EQ(value("OffsetRotate"), " 0 0 1 0") << line;
    }
    for (const char* line : {"Camera.Rotate 0 1 0 nan", "Camera.Euler inf 1e999 -inf",
                             "Camera.Dist nan", "Camera.Pos nan 1 inf", "Camera.Orient inf nan",
                             "Camera.Dist -50", "Camera.Velocity 0 0 5", "Camera.Speed nan"}) {
        run(line);
        frames(2);
        EXPECT_TRUE(finite(camera.getViewRot())) << line;
        EXPECT_TRUE(finite(camera.getPos())) << line;
        for (const char* word : {"Rotate", "Euler", "Dist", "Pos", "Orient"})
            EXPECT_EQ(value(word).find("nan"), std::string::npos) << line << " " << word;
        EXPECT_EQ(camera.saveStates().find("nan"), std::string::npos) << line;
        EXPECT_EQ(camera.saveStates().find("inf"), std::string::npos) << line;
    }
    // A negative distance driven by the velocity stays a number.
    run("Camera.Dist -3;Camera.VelocityZ -1;Camera.Speed 2");
    frames(1);
    EXPECT_TRUE(std::isfinite(camera.getDist()));
    EXPECT_TRUE(finite(camera.getPos()));
}

TEST_F(CameraCommands, VelocityAndSpeedMoveTheFlyingEyeOnce) {
    run("Camera.Mode Fly;Camera.Rotate 0 0 1 0;Camera.Pos 0 0 0");
    run("Camera.Velocity 1 0 0;Camera.Speed 2");
    frames(1);
    EXPECT_EQ(value("Pos"), " 2 0 0");
    frames(1); // both are used up by a frame
    EXPECT_EQ(value("Pos"), " 2 0 0");
    run("Camera.VelocityX 1;Camera.VelocityY 2;Camera.VelocityZ 3");
    frames(1);
    EXPECT_EQ(value("Pos"), " 3 2 3");
}

TEST_F(CameraCommands, ModeWords) {
    EXPECT_EQ(run("Camera.Mode Flight"), 1);
    EXPECT_EQ(camera.getMode(), Camera::Fly);
    EXPECT_NE(camera.saveStates().find("\nCamera.Mode Flight\n"), std::string::npos);
    run("Camera.ModeTog");
    EXPECT_EQ(camera.getMode(), Camera::Examine);
    run("Camera.Mode Fly;Camera.ModePrev");
    EXPECT_EQ(camera.getMode(), Camera::Examine);
    EXPECT_EQ(camera.getPrevMode(), Camera::Fly);

    // Observe needs a place: the Earth selects its next one.
    world.select("Mars");
    run("Camera.Mode Observe");
    EXPECT_EQ(camera.getMode(), Camera::Examine);
    world.select("Earth");
    run("Camera.Mode Observe");
    EXPECT_EQ(camera.getMode(), Camera::Observe);
    EXPECT_EQ(world.ssystem.getPlaceName(), "Sydney");
    run("Camera.ModeTo Observe 10");
    EXPECT_EQ(value("Animating"), " 0"); // already there: nothing
    run("Camera.ModeTo Fly 10");
    EXPECT_EQ(camera.getMode(), Camera::Fly);
    EXPECT_EQ(value("Animating"), " 0"); // into Fly is never animated
    run("Camera.ModeNext 12");
    EXPECT_EQ(camera.getMode(), Camera::Examine);
    EXPECT_EQ(value("Animating"), " 1");
    EXPECT_EQ(camera.getAnimSteps(), 12);
}

TEST_F(CameraCommands, TracingAndLooking) {
    // The selected body is never followed: the target is cleared and recorded.
    world.root.clearLog();
    run("Camera.Trace Earth");
    EXPECT_EQ(value("TargetName"), "");
    EXPECT_NE(world.root.getLog().find("Camera.Look None"), std::string::npos);

    run("Camera.Trace Moon");
    EXPECT_EQ(value("TargetName"), "Moon");
    EXPECT_EQ(camera.getTargetKind(), Camera::BodyTarget);
    frames(1);
    // The view now turns towards the Moon every frame.
    const Quaternion towardsMoon = world.ssystem.getLookRot("Moon", Camera::Examine);
    EXPECT_LT(angleBetween(camera.getViewRot(), towardsMoon), 1e-6);
    // With no target the stored name is not answered.
    run("Camera.Look Mars");
    EXPECT_EQ(value("TargetName"), "");
    EXPECT_EQ(camera.getTargetKind(), Camera::NoTarget);
    frames(1);
    EXPECT_LT(angleBetween(camera.getViewRot(), world.ssystem.getLookRot("Mars", 0)), 1e-6);

    // Looking at the selected body itself in Examine changes nothing.
    run("Camera.Rotate 0 1 0 33");
    run("Camera.Look Earth");
    EXPECT_EQ(value("Rotate"), " 0 1 0 33");
    run("Camera.Look Default");
    EXPECT_EQ(value("Rotate"), " 0 1 0 33");
    run("Camera.Look Nobody");
    EXPECT_EQ(value("Rotate"), " 0 1 0 33");

    // A sky direction: the rotation towards it.
    run("Camera.LookAt 90 0");
    frames(1);
    EXPECT_LT(angleBetween(camera.getViewRot(), camera.skyDirToRot(90, 0)), 1e-6);
    run("Camera.LookAtTo 0 90 10");
    frames(10);
    EXPECT_LT(angleBetween(camera.getViewRot(), camera.skyDirToRot(0, 90)), 1e-6);
    run("Camera.LookTo Mars 4;Camera.TraceTo Moon 4");
    frames(4);
    EXPECT_EQ(value("TargetName"), "Moon");
}

TEST_F(CameraCommands, PlaceRows) {
    world.select("Earth", "Tokyo");
    const Quaternion place = camera.placeRebuild();
    for (const char* line :
         {"Camera.LookPlace", "Camera.LookPlaceTo 3", "Camera.LookPlaceOffset 0 0",
          "Camera.LookPlaceOffsetTo 0 0 2", "Camera.TracePlace", "Camera.TracePlaceTo 2"}) {
        run("Camera.Rotate 1 0 0 80;Camera.Look Mars");
        run(line);
        frames(3);
        EXPECT_LT(angleBetween(camera.getViewRot(), place), 1e-6) << line;
    }
    EXPECT_EQ(camera.getTargetKind(), Camera::PlaceTarget);
    run("Camera.LookPlaceOffset 20 10");
    frames(1);
    EXPECT_LT(angleBetween(camera.getViewRot(), camera.placeRebuild(20, 10)), 1e-6);
    EXPECT_GT(angleBetween(camera.getViewRot(), place), 5.0);

    // Without a place (or in Observe) they change nothing.
    world.select("Mars");
    run("Camera.Rotate 0 1 0 25;Camera.TracePlace");
    EXPECT_EQ(value("Rotate"), " 0 1 0 25");
    EXPECT_EQ(camera.getTargetKind(), Camera::NoTarget);
    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe;Camera.TracePlace");
    EXPECT_EQ(camera.getTargetKind(), Camera::NoTarget);
}

TEST_F(CameraCommands, FollowingThePlaceInFlyDoesNotSpin) {
    world.select("Earth", "Tokyo");
    run("Camera.TracePlace;Camera.OffsetRotate 0 1 0 10");
    frames(1);
    run("Camera.Mode Fly");
    frames(1);
    const Quaternion held = camera.getViewRot();
    frames(20);
    EXPECT_LT(angleBetween(camera.getViewRot(), held), 1e-9);
}

TEST_F(CameraCommands, SavedLinesAndViewRecording) {
    EXPECT_EQ(camera.saveStates(), "Camera.Rotate 0 0 1 0\nCamera.Dist 5\nCamera.Fov 45\n"
                                   "Camera.Orient 0 0\nCamera.Zoom 45\nCamera.Pos 0 0 0\n"
                                   "Camera.Mode Examine\nCamera.HeadLight 0\nCamera.PSystem 1\n"
                                   "Camera.PSFilename None");
    EXPECT_EQ(camera.saveOptions(), "Camera.PlaceDist 1\nCamera.UnderLimit 0\n"
                                    "Camera.ZoomMaxLimit 45\nCamera.ZoomMinLimit 5\n"
                                    "Camera.InvertMouse 0\nCamera.ViewLogFormat 0\n"
                                    "Camera.AccelDistRate 1 1\nCamera.AnimSense 360");
    run("Camera.ViewLogFormat 1;Camera.Euler 0 90 0");
    EXPECT_EQ(camera.saveStates().rfind("Camera.Euler 0 90 0\n", 0), 0u);
    EXPECT_EQ(camera.saveStates().find("Camera.Rotate"), std::string::npos);

    // RecordView is not logged as a line; the lines it writes are.
    run("Camera.ViewLogFormat 0;Camera.Rotate 0 1 0 90;Camera.Dist 8");
    world.root.clearLog();
    EXPECT_EQ(run("Camera.RecordView"), 1);
    EXPECT_EQ(world.root.getLog(), "Camera.Rotate 0 1 0 90\nCamera.Dist 8\n");
    run("Camera.Mode Fly;Camera.Pos 1 2 3");
    world.root.clearLog();
    run("Camera.RecordView");
    EXPECT_EQ(world.root.getLog(), "Camera.Rotate 0 1 0 90\nCamera.Pos 1 2 3\n");
    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe;Camera.Orient 12 34;Camera.Zoom 20");
    world.root.clearLog();
    run("Camera.RecordView");
    EXPECT_EQ(world.root.getLog(), "Camera.Orient 12 34\nCamera.Zoom 20\n");
}

TEST_F(CameraCommands, StateRoundTrip) {
    run("Camera.Rotate 0.6 0.8 0 30;Camera.Dist 7.123456789;Camera.Fov 30;Camera.Orient 10 20");
    run("Camera.Zoom 25;Camera.Pos 1 2 3.14159265;Camera.Mode Flight;Camera.HeadLight 1");
    run("Camera.PSystem 0;Camera.PSFilename effects/rain.dfx;Camera.PlaceDist 1.5");
    run("Camera.UnderLimit -5;Camera.ZoomMaxLimit 50;Camera.ZoomMinLimit 4");
    run("Camera.InvertMouse 1;Camera.AccelDistRate 2 3;Camera.AnimSense 100");
    const std::string lines = camera.saveStates() + "\n" + camera.saveOptions();

    orvextest::ViewWorld other;
    other.select("Earth");
    Camera copy(&other.root, privateDevice());
    copy.setSsystem(&other.ssystem);
    other.root.runScript(lines, 1);
    EXPECT_EQ(copy.saveStates() + "\n" + copy.saveOptions(), lines);
    // Distances and positions come back to the digit.
    EXPECT_EQ(copy.getDist(), camera.getDist());
    EXPECT_EQ(copy.getPos().z, camera.getPos().z);
    for (const char* word :
         {"Rotate",       "Euler",         "Dist",          "Orient",     "Fov",
          "Zoom",         "Pos",           "PlaceDist",     "UnderLimit", "ZoomMaxLimit",
          "ZoomMinLimit", "AnimSense",     "AccelDistRate", "Mode",       "HeadLight",
          "InvertMouse",  "ViewLogFormat", "PSystem",       "PSFilename", "TargetName"})
        EXPECT_EQ(other.root.getCommandValue(std::string("Camera.") + word), value(word)) << word;
}
