// Makes a body of the kind that a "Child:" type word names.
#pragma once

#include <memory>
#include <string>

class DsAstrBody;
class Ssystem;

// Null for a type word that names no kind.
std::unique_ptr<DsAstrBody> makeBody(const std::string& typeWord, const std::string& name,
                                     DsAstrBody* parent, Ssystem* system);
