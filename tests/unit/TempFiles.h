#pragma once
// Real files in a fresh temporary folder, reached the way the program reaches
// them: backslashes as separators, bare names resolved against a current
// directory of this object's own (the test process's stays where it is).
#include <stdlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "settings/FileStore.h"

namespace zv::test {

class TTempFiles final : public IFileStore {
  public:
    TTempFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zvenoks-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        current = root_;
    }
    ~TTempFiles() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TTempFiles(const TTempFiles&) = delete;
    TTempFiles& operator=(const TTempFiles&) = delete;

    const std::filesystem::path& Root() const { return root_; }

    std::filesystem::path Resolve(const std::string& name) const {
        std::string slashed = name;
        for (char& c : slashed) {
            if (c == '\\') c = '/';
        }
        std::filesystem::path p(slashed);
        return (p.is_absolute() ? p : current / p).lexically_normal();
    }

    // A folder under the root, created with its parents.
    std::filesystem::path MakeDir(const std::string& relative) const {
        auto p = root_ / relative;
        std::filesystem::create_directories(p);
        return p;
    }

    static void Put(const std::filesystem::path& path, std::string_view bytes) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) throw std::runtime_error("cannot write " + path.string());
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    static std::string Get(const std::filesystem::path& path) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) throw std::runtime_error("cannot read " + path.string());
        std::string bytes;
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        std::fclose(f);
        return bytes;
    }

    std::string ReadAll(const std::string& name) override {
        auto path = Resolve(name);
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) throw EFileStoreFailure(std::strerror(errno));
        std::string bytes;
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
        bool failed = std::ferror(f) != 0;
        int error = errno;
        std::fclose(f);
        if (failed) throw EFileStoreFailure(std::strerror(error));
        return bytes;
    }

    void WriteAll(const std::string& name, std::string_view bytes) override {
        auto path = Resolve(name);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) throw EFileStoreFailure(std::strerror(errno));
        size_t put = std::fwrite(bytes.data(), 1, bytes.size(), f);
        int error = errno;
        bool closed = std::fclose(f) == 0;
        if (put != bytes.size() || !closed) throw EFileStoreFailure(std::strerror(error));
    }

    std::string FullPath(const std::string& name) override { return Resolve(name).string(); }

    std::filesystem::path current;

  private:
    std::filesystem::path root_;
};

}  // namespace zv::test
