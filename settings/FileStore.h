#pragma once
// Whole-file reads and writes by name, as the line buffer needs them.
#include <string>
#include <string_view>

#include "core/Errors.h"

namespace zv {

// A read or write the system refused; what() is the system's own text for it.
class EFileStoreFailure : public Exception {
  public:
    using Exception::Exception;
};

class IFileStore {
  public:
    virtual ~IFileStore() = default;
    // The file's bytes. Throws EFileStoreFailure when it cannot be opened or
    // read (after a short wait when another program holds it).
    virtual std::string ReadAll(const std::string& name) = 0;
    // Creates the file or replaces it, in one step, by one holding the bytes.
    // Throws EFileStoreFailure when it cannot be created or written, leaving
    // the old file as it was.
    virtual void WriteAll(const std::string& name, std::string_view bytes) = 0;
    // The name resolved against the current directory; the name itself if that fails.
    virtual std::string FullPath(const std::string& name) = 0;
};

}  // namespace zv
