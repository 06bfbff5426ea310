#include "core/App.h"

#include "platform/Executable.h"

namespace kelvora::core {

AppInfo& App() {
    static AppInfo app{platform::ExecutableFolder(), platform::ExecutableBaseName(), "Kelvora"};
    return app;
}

}  // namespace kelvora::core
