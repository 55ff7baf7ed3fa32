#pragma once

#include <string>

namespace tavlor::test {

/** A fresh folder under the system's temporary folder, removed with everything in it. */
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    /** path()/name */
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    /** Writes bytes to file(name) (created or cut), throwing std::runtime_error on failure. */
    void write(const std::string& name, const std::string& bytes) const;
    /** The bytes of file(name), or "<missing>" when it is no regular file. */
    std::string read(const std::string& name) const;

private:
    std::string m_path;
};

/** Writes bytes to a file (created or cut), throwing std::runtime_error on failure. */
void writeBytes(const std::string& path, const std::string& bytes);
/** The whole content of a file, throwing std::runtime_error when it cannot be read. */
std::string readBytes(const std::string& path);
/** The names in a folder, "." and ".." left out, sorted. */
std::string folderListing(const std::string& path);

} // namespace tavlor::test
