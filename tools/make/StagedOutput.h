#pragma once

#include <string>

namespace lirava::make {

// The book is made in a folder beside OUT (so renaming it is atomic) and takes OUT's place only
// when complete. Until then OUT, if it exists, is left as it was; the destructor removes the
// staging folder of a run that failed or was stopped (only a killed process leaves it behind).
class StagedOutput {
public:
    // OUT ending in ".lirava" is the one-file form, else a folder.
    explicit StagedOutput(std::string out);
    ~StagedOutput();
    StagedOutput(const StagedOutput&) = delete;
    StagedOutput& operator=(const StagedOutput&) = delete;

    bool archive() const { return m_archive; }
    // Creates the staging folder; false with `error` when OUT cannot be replaced.
    bool begin(std::string& error);
    const std::string& folder() const { return m_staging; }
    // Puts the made book in OUT's place (packing it first for the one-file form).
    bool commit(std::string& error);

private:
    bool commitFolder(std::string& error);
    bool commitArchive(std::string& error);

    std::string m_out;
    std::string m_staging;
    bool m_archive = false;
    bool m_begun = false;
};

}  // namespace lirava::make
