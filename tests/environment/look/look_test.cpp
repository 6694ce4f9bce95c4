// The environment in a light and a dark desktop palette: what it draws in colours of its own reads
// on the palette's colours, and what it draws on the program's or the form's colours reads there.
#include "environment/editors/ins_blank_dialog.h"
#include "environment/form_designer/form_design_view.h"
#include "environment/form_designer/forms_edit_form.h"
#include "environment/look/appearance.h"
#include "environment/look/contrast.h"
#include "shell_test_support.h"

#include <QAction>
#include <QListWidget>
#include <QStyle>
#include <QStyleFactory>
#include <QToolBar>

#include <memory>

namespace qel {
namespace {

// The strongest contrast any opaque pixel of a picture has with a colour.
double strongestContrast(const QImage& image, const QColor& against, const QImage& unless = {})
{
    double best = 1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && (unless.isNull() || unless.pixelColor(x, y) != c))
                best = std::max(best, contrastRatio(c, against));
        }
    return best;
}

TEST(Look, DialogsDesignerGridAndIconsReadInLightAndDarkPalettes)
{
    const QPalette before = QApplication::palette();
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::pair<const char*, QPalette> palettes[] = {{"light", fusion->standardPalette()}, {"dark", darkPalette()}};
    for (const auto& [name, palette] : palettes) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);

        // The pale yellow lists and field of Add An Instruction.
        InsBlank dialog;
        std::vector<QWidget*> fields{dialog.instructionField()};
        for (size_t k = 0; k < 12; ++k)
            fields.push_back(dialog.list(k));
        for (const QWidget* w : fields)
            EXPECT_GE(contrastRatio(w->palette().color(QPalette::Base), w->palette().color(QPalette::Text)), 4.5);

        // The designer's toolbar pictures, sharp at twice the pixels, and its grid on a black form.
        test::RecordingHost host;
        CFormsEditForm designer(host, nullptr);
        designer.resize(600, 500);
        designer.show();
        for (const QAction* a : designer.findChild<QToolBar*>()->actions()) {
            if (a->icon().isNull())
                continue;
            const QImage picture = a->icon().pixmap(QSize(24, 24), 2.0).toImage();
            EXPECT_EQ(picture.size(), QSize(48, 48)) << a->text().toStdString();
            EXPECT_GE(strongestContrast(picture, palette.color(QPalette::Window)), kReadableContrast)
                << a->text().toStdString();
        }
        ASSERT_TRUE(designer.design().applyProperty(PropertyId::BGColour, "0,0,0", false));
        QWidget* surface = designer.view()->viewport();
        const QImage plain = surface->grab().toImage();
        designer.design().setSnap(true);
        const QImage grid = surface->grab().toImage();
        EXPECT_GE(strongestContrast(grid, Qt::black, plain), kReadableContrast);
    }
    QApplication::setPalette(before);
}

} // namespace
} // namespace qel
