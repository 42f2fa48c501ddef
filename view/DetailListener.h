// What a change of the detail settings sets off in other classes: the solar
// system's display lists are rebuilt at once (Body, Orbit and Filter changes
// and every TexDir command bake new values into them), the Milky Way texture
// is looked up again in the new texture directory, and the fade overlay learns
// whether to blend. The root connects these to its Ssystem, Space and Render.
#pragma once

class DetailListener {
public:
    virtual ~DetailListener() = default;

    // Sets the solar system's rebuild-all flag and rebuilds its lists.
    virtual void rebuildDisplayLists() = 0;
    virtual void reloadMilkyWayTexture() = 0;
    virtual void setFadeAlphaBlend(int on) = 0;
};
