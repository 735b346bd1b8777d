#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vokamo {

// The pupil's own folder (~/Vokamo when started from the desktop menu): the
// records are saved there and the question files are looked for there first.
struct WorkFolder {
    bool usable = false;                // the folder exists and may become the current one
    bool created = false;               // made by this call
    std::vector<std::string> copied;    // sample files copied in, by file name
    std::vector<std::string> problems;  // what went wrong, in Japanese (UTF-8), for the teacher
};

// Makes `folder` (with its parents) when it is missing and then copies every
// file of `samples` into it. An existing folder is left as it is: a sample the
// teacher deleted does not come back, and a file that is there is never
// overwritten. A file standing where the folder should be, or a folder that
// cannot be made, gives a problem and usable == false; a missing samples
// folder or a sample that cannot be copied gives a problem and the folder is
// still usable.
WorkFolder PrepareWorkFolder(const std::filesystem::path& folder, const std::filesystem::path& samples);

}  // namespace vokamo
