#include "model/BodyFactory.h"

#include "model/DsASatellite.h"
#include "model/DsAsteroid.h"
#include "model/DsComet.h"
#include "model/DsPlanet.h"
#include "model/DsSatellite.h"
#include "model/DsSpacecraft.h"

std::unique_ptr<DsAstrBody> makeBody(const std::string& typeWord, const std::string& name,
                                     DsAstrBody* parent, Ssystem* system) {
    if (typeWord == "Sun")
        return std::make_unique<DsPlanet>(name, parent, system, DsAstrBody::Sun);
    if (typeWord == "Planet")
        return std::make_unique<DsPlanet>(name, parent, system, DsAstrBody::Planet);
    if (typeWord == "Earth")
        return std::make_unique<DsPlanet>(name, parent, system, DsAstrBody::Earth);
    if (typeWord == "Moon")
        return std::make_unique<DsPlanet>(name, parent, system, DsAstrBody::Moon);
    if (typeWord == "Satellite")
        return std::make_unique<DsSatellite>(name, parent, system);
    if (typeWord == "Comet")
        return std::make_unique<DsComet>(name, parent, system);
    if (typeWord == "Asteroid")
        return std::make_unique<DsAsteroid>(name, parent, system);
    if (typeWord == "Spacecraft")
        return std::make_unique<DsSpacecraft>(name, parent, system);
    if (typeWord == "ASatellite")
        return std::make_unique<DsASatellite>(name, parent, system, DsAstrBody::ASatellite);
    return nullptr;
}
