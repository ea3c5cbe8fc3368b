#include "tools/check/DocumentCheck.h"

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include "gui/document/CCSGUIReader.h"
#include "tools/check/HeadlessEngine.h"
#include "tools/check/WidgetTreeJson.h"

namespace lirava::check {

namespace {

constexpr const char* kUsage = "usage: lirava-check --document FILE [--resources DIR]";

}  // namespace

int runDocumentCheck(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    const char* document = nullptr;
    std::string resources = defaultResourceRoot();
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--document") == 0 && hasValue && !document) {
            document = argv[++i];
        } else if (std::strcmp(argv[i], "--resources") == 0 && hasValue) {
            resources = argv[++i];
        } else {
            err << kUsage << std::endl;
            return 2;
        }
    }
    if (!document || document[0] == '\0') {
        err << kUsage << std::endl;
        return 2;
    }
    if (const int status = setUpHeadlessEngine(resources, err)) {
        return status;
    }

    UIWidget* root = CCSGUIReader::sharedReader()->widgetFromFile(document);
    const bool built = root != nullptr;
    // The reader prints through stdio; flush it so its lines stay ahead of the tree.
    std::fflush(stdout);
    out << widgetTreeJson(root) << std::endl;
    tearDownHeadlessEngine();
    return built ? 0 : 1;
}

}  // namespace lirava::check
