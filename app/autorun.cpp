#include "app/autorun.h"

#include "platform/platform.h"

namespace app {

Text autorunCommand(const Text& executablePath, bool silent)
{
    Text value = u"\"" + executablePath + u"\"";
    if (silent)
        value += u" -silent";
    return value;
}

int setAutorun(bool enable, const Text& name, bool silent)
{
    Text path = platform::os().process->executablePath();
    if (path.empty())
        return autorun::NoPath;
    std::unique_ptr<platform::RunKey> key = platform::os().registry->openRunKey();
    if (!key)
        return autorun::NoAccess;
    bool ok = enable ? key->setString(name, autorunCommand(path, silent)) : key->deleteValue(name);
    return ok ? autorun::Done : autorun::Failed;
}

} // namespace app
