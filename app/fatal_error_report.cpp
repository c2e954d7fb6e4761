#include "app/fatal_error_report.h"

#include "app/exit_routines.h"
#include "text/conversions.h"
#include "text/literals.h"
#include "ui/layer/gbk_codec.h"
#include "ui/layer/window_layer.h"

#include <QMessageBox>

#include <cstdlib>

namespace vorlo::app {

namespace {

ui::WindowLayer* attachedLayer = nullptr;
ExitRoutines* attachedExitRoutines = nullptr;

constexpr int fatalExitStatus = -1;
constexpr std::string_view lineBreak = "\r\n";

} // namespace

void attachFatalErrorReport(ui::WindowLayer* layer, ExitRoutines* exitRoutines) {
    attachedLayer = layer;
    attachedExitRoutines = exitRoutines;
}

void reportFatalError(std::string_view gbkMessage) {
    if (attachedLayer != nullptr) {
        attachedLayer->suppressEventsForGood();
    }
    const Text text = concatenateTexts({literals::errorBoxHeading, lineBreak, lineBreak,
                                        literals::errorBoxMessageLabel, gbkMessage, lineBreak});
    // The toolkit breaks lines at LF alone.
    QString shown = ui::fromGbk(text.bytes());
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Critical, ui::fromGbk(literals::errorBoxTitle), shown,
                    QMessageBox::Ok);
    box.exec();
    if (attachedExitRoutines != nullptr) {
        attachedExitRoutines->discard();
    }
    // Nothing else of the program runs: no exit routine, no destructor.
    std::_Exit(fatalExitStatus);
}

} // namespace vorlo::app
