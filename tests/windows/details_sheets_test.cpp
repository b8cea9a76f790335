// Renders the details windows filled from real packages into the screenshot folder, to be looked
// at: a Chinese label, many permissions, long names and the raw store metadata.
#include "details_test_support.h"
#include "windows/details/apk_details_window.h"
#include "windows/details/ipa_details_window.h"
#include "windows/details/raw_metadata_window.h"

#include "skin/button/jcbutton.h"
#include "support/sheet_language.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

bool save(QWidget &window, const char *fileName)
{
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QApplication::processEvents();
    QDir().mkpath(TAVREL_SCREENSHOT_DIR);
    return window.grab().save(QStringLiteral(TAVREL_SCREENSHOT_DIR "/") +
                              SheetLanguage::fileName(QLatin1String(fileName)));
}

using DetailsSheets = DetailsFixture;

} // namespace

TEST_F(DetailsSheets, BothDetailsWindowsAndTheRawMetadataWindow)
{
    const SheetLanguage language;
    const ActiveRuleGuard rule(NameRule::defaultRule());
    ForOuts apk(nullptr, &list, &*reader, add("apk/many-permissions.apk"));
    ASSERT_TRUE(loaded(apk));
    EXPECT_TRUE(save(apk, "details_apk.png"));

    const DetailTarget paid = add("ipa/priced_app.ipa");
    ForOuta ipa(nullptr, &list, &*reader, paid);
    ASSERT_TRUE(loaded(ipa));
    EXPECT_TRUE(save(ipa, "details_ipa.png"));

    ForShow raw(nullptr, paid.folder + paid.fileName, &*reader);
    ASSERT_TRUE(loaded(raw));
    EXPECT_TRUE(save(raw, "details_raw_metadata.png"));

    // Nothing cut off: fields as tall as their text, captions and labels as wide as their text.
    for (DetailsForm *form : {static_cast<DetailsForm *>(&apk), static_cast<DetailsForm *>(&ipa)}) {
        for (QLineEdit *edit : form->findChildren<QLineEdit *>())
            EXPECT_GE(edit->height(), edit->fontMetrics().height()) << edit->objectName().toStdString();
        for (QLabel *label : form->findChildren<QLabel *>())
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->text().toStdString();
        for (int i = 0; i < 4; ++i) {
            const skin::jcbutton *b = form->cmdButton(i);
            EXPECT_LT(b->fontMetrics().horizontalAdvance(b->Caption()), b->width())
                << b->Caption().toStdString();
        }
    }
}

TEST_F(DetailsSheets, ThePackageIconStandsBesideTheFirstFieldsOverNoControl)
{
    const SheetLanguage language;
    const ActiveRuleGuard rule(NameRule::defaultRule());
    ForOuts apk(nullptr, &list, &*reader, add("icons/icons-adaptive-vector.apk"));
    ASSERT_TRUE(loaded(apk));
    ForOuta ipa(nullptr, &list, &*reader, add("icons/ipa-cgbi.ipa"));
    ASSERT_TRUE(loaded(ipa));
    for (DetailsForm *form : {static_cast<DetailsForm *>(&apk), static_cast<DetailsForm *>(&ipa)}) {
        QLabel *icon = form->iconLabel();
        // Read in the background: the window shows it when it arrives.
        ASSERT_TRUE(QTest::qWaitFor([icon] { return !icon->pixmap().isNull(); }, 20000));
        EXPECT_LE(icon->pixmap().width(), DetailsForm::IconSize);
        // It covers no control; only the frame, which lies behind them all.
        for (QWidget *control : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (control != icon && control->isVisibleTo(form) && !control->inherits("skin::jcForms")) {
                EXPECT_FALSE(control->geometry().intersects(icon->geometry()))
                    << control->objectName().toStdString();
            }
        }
    }
    EXPECT_TRUE(save(apk, "details_apk_icon.png"));
    EXPECT_TRUE(save(ipa, "details_ipa_icon.png"));
}
