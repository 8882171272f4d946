#include "files/stage_key.h"

std::string StageKeyOf(const std::string& name, int* linked)
{
    if (linked) *linked = 0;
    for (size_t p = name.size(); p-- > 1;) {
        if (name[p - 1] == '-' && name[p] == '1') {
            if (linked) *linked = 1;
            return name.substr(0, p - 1) + ".";
        }
    }
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot + 1);
}

std::string StageKeyOfEntry(const std::string& stageFile)
{
    std::string base = stageFile;
    size_t dot = base.rfind('.');
    size_t folder = base.find_last_of("\\/");
    if (dot != std::string::npos && (folder == std::string::npos || dot > folder)) base.resize(dot);
    return StageKeyOf(base + ".");
}
