#include "edit/TechniqueCommandKeys.h"

#include "model/CommandIds.h"
#include "platform/keys/VirtualKeyCodes.h"

namespace lutaris {

std::optional<std::int32_t> TechniqueKeyForCommand(std::int32_t commandId) {
    switch (commandId) {
        case ID_ACTION_MUTE:
            return vk::X;
        case ID_ACTION_BEND_UP:
            return vk::B;
        case ID_ACTION_BEND_RELEASE:
            return vk::R;
        case ID_ACTION_SLIDE_UP:
            return vk::Oem2;
        case ID_ACTION_SLIDE_DOWN:
            return vk::Oem5;
        case ID_ACTION_VIBRATO:
            return vk::Oem3;
        case ID_ACTION_HAMMER_ON:
            return vk::H;
        case ID_ACTION_PULL_OFF:
            return vk::P;
        case ID_ACTION_TAP:
            return vk::T;
        case ID_ACTION_HARMONIC:
            return vk::A;
        case ID_ACTION_CLEAR:
            return vk::Z;
        case ID_ACTION_OPTIONAL:
            return vk::O;
        default:
            return std::nullopt;
    }
}

}  // namespace lutaris
