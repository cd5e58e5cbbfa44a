#pragma once
// Where the body of an accepted reply goes, block by block as it arrives.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel::http {

class BodySink {
public:
    virtual ~BodySink() = default;
    virtual void Write(const char* data, std::size_t size) = 0;
};

// Collects the body in memory.
class MemorySink : public BodySink {
public:
    explicit MemorySink(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void Write(const char* data, std::size_t size) override { bytes_.insert(bytes_.end(), data, data + size); }

private:
    std::vector<std::uint8_t>& bytes_;
};

}  // namespace qel::http
