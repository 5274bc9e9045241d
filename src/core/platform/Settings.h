#pragma once
// The program's own stored values (its key "\Software\Quillfern\Kinloom"): read and written by
// name, integers and texts. The window keeps them with QSettings; tests keep them in memory.

#include <map>
#include <optional>
#include <string>

namespace kinloom {

class Settings {
public:
    virtual ~Settings() = default;
    // nullopt when the value is absent or does not hold a value of that kind.
    virtual std::optional<int> ReadInteger(const std::string& name) const = 0;
    virtual std::optional<std::string> ReadText(const std::string& name) const = 0;
    virtual void WriteInteger(const std::string& name, int value) = 0;
    virtual void WriteText(const std::string& name, const std::string& value) = 0;
};

// Settings held in memory for one run (tests, the command-line tool).
class MemorySettings final : public Settings {
public:
    std::optional<int> ReadInteger(const std::string& name) const override {
        auto it = integers_.find(name);
        if (it == integers_.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> ReadText(const std::string& name) const override {
        auto it = texts_.find(name);
        if (it == texts_.end()) return std::nullopt;
        return it->second;
    }
    void WriteInteger(const std::string& name, int value) override {
        texts_.erase(name);
        integers_[name] = value;
    }
    void WriteText(const std::string& name, const std::string& value) override {
        integers_.erase(name);
        texts_[name] = value;
    }

private:
    std::map<std::string, int> integers_;
    std::map<std::string, std::string> texts_;
};

}  // namespace kinloom
