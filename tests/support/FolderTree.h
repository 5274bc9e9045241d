#pragma once
// Folder trees for tests as a map of relative path -> content ("/" marks a folder).

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "WinePrefix.h"

namespace kinloom::test {

using FolderTree = std::map<std::string, std::string>;

inline void MakeFolderTree(const std::filesystem::path& root, const FolderTree& tree) {
    for (const auto& [path, content] : tree) {
        if (content == "/")
            std::filesystem::create_directories(root / path);
        else
            WriteTextFile(root / path, content);
    }
}

inline FolderTree ReadFolderTree(const std::filesystem::path& root) {
    FolderTree tree;
    if (!std::filesystem::exists(root)) return tree;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        const std::string rel = e.path().lexically_relative(root).generic_string();
        if (e.is_directory()) {
            tree[rel] = "/";
        } else {
            std::ifstream in(e.path(), std::ios::binary);
            tree[rel] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return tree;
}

}  // namespace kinloom::test
