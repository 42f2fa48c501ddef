// A command line that has the engine write a file (its option file, the
// place list, a list of objects in the simulation). The engine reports a
// failed save only through the log ("Could not save comet list file.
// ./data/comets.dcl: Not a regular file"); the windows show that text to the
// user, who would not look at the log.
#pragma once

#include <QString>
#include <string>

class EngineLink;

// Runs line and returns what the engine said of its failure, naming the file
// and the reason, or an empty text when it worked. The messages still reach
// the log as before.
QString runEngineSave(EngineLink* engine, const std::string& line);
