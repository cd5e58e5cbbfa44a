#pragma once
// The file a download replaces. The body goes into a temporary file beside the target, and only
// a complete body replaces the target, in one step; until then the old file stays as it was.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "common/Site.h"
#include "http/BodySink.h"

namespace qel {

// "Cannot create file "%s". %s": the target path and the system's text for the error.
class FileCreateError : public std::runtime_error {
public:
    FileCreateError(const std::string& path, unsigned long code);
    unsigned long Code() const { return code_; }

private:
    unsigned long code_;
};

// Checks, before anything is sent, that the target can be replaced: the name stays inside the
// install folder, its folder exists, and no file of that name is read-only, hidden, system, a
// folder, or held open by another program. Throws FileCreateError.
void CheckTargetReplaceable(const Site& site, const std::string& name, const std::string& path);

// A temporary file in the target's folder that receives the body. Commit replaces the target with
// it (MoveFileEx, replacing); a file that is not committed is removed.
class ReplacementFile : public http::BodySink {
public:
    explicit ReplacementFile(const std::string& targetPath);  // throws FileCreateError
    ~ReplacementFile() override;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    void Write(const char* data, std::size_t size) override;  // throws std::runtime_error
    // Throws FileCreateError with the system's text when the target cannot be replaced (held
    // open at this moment, say); the target then stays as it was and the temporary file is gone.
    void Commit();

private:
    std::string targetPath_;
    std::wstring tempPath_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool committed_ = false;
};

}  // namespace qel
