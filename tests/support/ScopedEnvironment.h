#pragma once
// What a test changes of the process for a while and puts back when the helper goes away: an
// environment variable (its old value, or not set at all when it was not set before) and the
// current folder.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace kinloom::test {

class ScopedEnvironment {
public:
    // std::nullopt unsets the variable.
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)), old_(Get(name_)) {
        Put(name_, value);
    }
    ~ScopedEnvironment() { Put(name_, old_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    static std::optional<std::string> Get(const std::string& name) {
        const char* value = std::getenv(name.c_str());
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Put(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
        // An empty value removes the variable there, as unsetting does.
        _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
#endif
    }

    std::string name_;
    std::optional<std::string> old_;
};

class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::filesystem::path& folder)
        : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~ScopedCurrentFolder() { std::filesystem::current_path(old_); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
    std::filesystem::path old_;
};

}  // namespace kinloom::test
