#include "qt/PlatformChoice.h"

#include <QtGlobal>

namespace kelvora::qt {

QByteArray PlatformOverride(const DisplayEnvironment& environment) {
    if (environment.platformChosen || !environment.wayland || !environment.x11) return {};
    return QByteArrayLiteral("xcb");
}

void ChooseDisplayPlatform() {
    const QByteArray platform = PlatformOverride(DisplayEnvironment{
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM"),
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"), !qEnvironmentVariableIsEmpty("DISPLAY")});
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}

}  // namespace kelvora::qt
