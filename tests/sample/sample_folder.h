#pragma once
// A sample game written into a fresh temporary folder for a test, removed
// afterwards; the record layer's globals the generator sets are put back.
#include <string>
#include <vector>

class cSampleFolder {
public:
    cSampleFolder();
    ~cSampleFolder();
    cSampleFolder(const cSampleFolder&) = delete;
    cSampleFolder& operator=(const cSampleFolder&) = delete;

    // Writes the game; the result of WriteSampleGame.
    int Write();
    std::string Path(const std::string& relative) const { return m_sRoot + "/" + relative; }
    // Every file written, relative to the folder, sorted.
    std::vector<std::string> Files() const;

private:
    std::string m_sRoot;
};
