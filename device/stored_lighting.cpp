#include "device/stored_lighting.h"

namespace device {

PlaybackLighting storedLighting(const settings::ConfigStore& s)
{
    PlaybackLighting l;
    l.enable = s.userColourEnable != 0;
    l.cycleColours = settings::cycleColourMask(s);
    l.effect = s.ledType;
    l.cycleTime = s.effectSpeed;
    l.symmetry = s.effectSymmetry != 0;
    l.direction = s.effectDirection;
    l.brightness = s.brightness;
    return l;
}

LightingEffect storedLightingCommand(const PlaybackLighting& l)
{
    LightingEffect e;
    e.enable = l.enable;
    e.colourMask = l.cycleColours;
    e.switchBit = true;
    e.effect = l.effect & 7;
    e.cycleTime = l.cycleTime & 7;
    e.startColour = l.startColour;
    e.symmetry = l.symmetry;
    e.direction = l.direction;
    e.brightness = l.brightness;
    e.value = 0x002;
    return e;
}

} // namespace device
