#include "platform/module.h"

#include "platform/log.h"
#include "platform/media_file.h"
#include "platform/modules/host.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/text.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>

namespace platform {
namespace {

std::string executableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

// Where a module is looked for: the folder "modules" beside the executable.
std::string moduleFolder() {
    const std::string exe = executableFolder();
    return exe.empty() ? std::string() : exe + "/modules";
}

struct Modules {
    std::mutex mutex;
    std::map<std::string, void*> handles;  // nullptr: could not be loaded
};

Modules& modules() {
    static auto* m = new Modules;  // modules stay loaded until the end
    return *m;
}

void* load(const std::string& module) {
    const std::string file = "libbrotalia_" + module + ".so";
    std::string why;
    const std::string path = moduleFolder() + "/" + file;
    if (::access(path.c_str(), F_OK) == 0) {
        if (void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return h;
        const char* e = dlerror();
        why = e ? e : path;
    }
    if (why.empty()) why = "arquivo " + file + " não encontrado";
    LogOnce("modulo:" + module, "não foi possível carregar o módulo " + module + ": " + why);
    return nullptr;
}

}  // namespace

void* ModuleEntry(const std::string& module, const char* entry) {
    Modules& m = modules();
    std::lock_guard<std::mutex> lock(m.mutex);
    auto it = m.handles.find(module);
    if (it == m.handles.end()) it = m.handles.emplace(module, load(module)).first;
    if (!it->second) return nullptr;
    void* address = dlsym(it->second, entry);
    if (!address) LogOnce("modulo:" + module + ":" + entry, "o módulo " + module + " não tem a função " + entry);
    return address;
}

const ModuleHost& ThisModuleHost() {
    static const ModuleHost host{&LogOnce, &LCase, &WavDuration, &OpenMediaFile, &ApplicationDisplayName};
    return host;
}

}  // namespace platform
