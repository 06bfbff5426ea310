#include "FuzzFolder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kelvora::fuzz {
namespace {

std::filesystem::path MakeFolder() {
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (const char* chosen = std::getenv("TMPDIR"); chosen != nullptr && *chosen != '\0') {
        base = chosen;
    } else if (!std::filesystem::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0) {
        base = std::filesystem::temp_directory_path();
    }
    std::string name = (base / "kelvora-fuzz-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    return name;
}

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
}

}  // namespace

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path made = MakeFolder();
        std::atexit(RemoveFolder);
        return made;
    }();
    return folder;
}

std::string& MutableContext() {
    static std::string context;
    return context;
}

void SetContext(std::string context) { MutableContext() = std::move(context); }

const std::string& Context() { return MutableContext(); }

std::string Escaped(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            text.push_back(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            text += escape;
        }
    }
    return text;
}

void Require(bool holds, std::string_view what) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %.*s\n%s\n", static_cast<int>(what.size()), what.data(),
                 Context().c_str());
    std::abort();
}

void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out), "the fuzz folder can be written");
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace kelvora::fuzz
