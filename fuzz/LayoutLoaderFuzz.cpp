// libFuzzer entry point for layout loading. The fuzzer's bytes are a layout file from line 3 on;
// lines 1 and 2 come from layout_fixtures.ini and name a fixture picture and workbook, which are
// loaded once. Every input then gets fresh field items, its records restored and, after a complete
// restore, its extension block applied: never a crash or a hang, and never a value outside what
// the items take.
#include "app/BatchDialogs.h"
#include "app/Workspace.h"
#include "canvas/DesignLimits.h"
#include "canvas/LabelDesign.h"
#include "data/DataTable.h"
#include "layout/LayoutExtension.h"
#include "layout/LayoutLoader.h"
#include "layout/LayoutRestorer.h"
#include "layout/LayoutText.h"
#include "layout/LayoutValue.h"

#include <QFile>
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

using namespace tagloom;

namespace {

// The program without windows, with the fixture picture and workbook loaded by the first pass.
class LoadedFixtures
{
public:
    LoadedFixtures()
        : app_(argc_, argv_)
        , workspace_(dialogs_)
    {
        QFile file(QStringLiteral(TAGLOOM_LAYOUT_FIXTURES));
        if (!file.open(QIODevice::ReadOnly)) std::abort();
        head_ = file.readAll();
        // The load ends at the missing line 3, after the picture, the sheet and the field items.
        LayoutLoader::load(workspace_, file.fileName());
        if (!workspace_.canvas().picture() || workspace_.canvas().fieldCount() < 2) std::abort();
    }

    Workspace &workspace() { return workspace_; }
    const QByteArray &head() const { return head_; }

private:
    int argc_ = 1;
    char name_[5] = "fuzz";
    char *argv_[2] = {name_, nullptr};
    QGuiApplication app_;
    BatchDialogs dialogs_;
    Workspace workspace_;
    QByteArray head_;
};

bool within(float value, float low, float high)
{
    return value >= low && value <= high;
}

bool sane(const TwipsRect &rect)
{
    return within(rect.left, -DesignLimits::largestPosition, DesignLimits::largestPosition)
        && within(rect.top, -DesignLimits::largestPosition, DesignLimits::largestPosition)
        && within(rect.width, 0, DesignLimits::largestSize)
        && within(rect.height, 0, DesignLimits::largestSize);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Offscreen, so that the fuzzer runs where there is no display.
    [[maybe_unused]] static const bool offscreen
        = qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qputenv("QT_QPA_PLATFORM", "offscreen");
    static LoadedFixtures fixtures;
    Workspace &workspace = fixtures.workspace();
    const std::optional<LayoutText> text = LayoutText::decode(
        fixtures.head() + QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!text) return 0; // a load ends before it changes anything
    const QStringList &lines = text->lines();

    MainPanel &panel = workspace.panel();
    panel.chooser(MainPanel::QrSource).setListIndex(-1);
    panel.chooser(MainPanel::BarcodeSource).setListIndex(-1);
    LayoutLoader::createFieldItems(workspace); // renews the canvas the previous input left
    const bool restored
        = LayoutRestorer::restore(workspace, lines.first(LayoutExtension::start(lines) - 1));
    LabelDesign &design = workspace.canvas();
    for (int index = 1; index < design.fieldCount(); ++index) {
        if (!design.field(index).visible) std::abort(); // the positional lines show every item
    }
    if (restored)
        LayoutExtension::apply(
            design, panel, lines, LayoutRestorer::lineCount(workspace.dataTable().cols()) + 1);

    if (design.fieldCount() != workspace.dataTable().cols() || !design.picture()) std::abort();
    for (int index = 1; index < design.fieldCount(); ++index) {
        const FieldItem &item = design.field(index);
        if (!sane({item.left, item.top, 0, 0})
            || !within(
                item.font.pointSize, DesignLimits::smallestFontSize, DesignLimits::largestFontSize)
            || !item.foreColor.isValid())
            std::abort();
    }
    if (!sane(design.codeImage().geometry) || !sane(design.barcodeHolder().geometry)) std::abort();
    return 0;
}
