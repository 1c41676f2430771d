#include "platform/ui/translations.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <clocale>

namespace platform {

namespace {

struct ButtonText {
    QDialogButtonBox::StandardButton button;
    const char16_t* text;
};

constexpr ButtonText kButtonTexts[] = {
    {QDialogButtonBox::Ok, u"确定"},     {QDialogButtonBox::Cancel, u"取消"},
    {QDialogButtonBox::Yes, u"是"},      {QDialogButtonBox::No, u"否"},
    {QDialogButtonBox::Close, u"关闭"},  {QDialogButtonBox::Apply, u"应用"},
};

} // namespace

ChineseDates::ChineseDates() : m_time(qgetenv("LC_TIME"))
{
    // Qt reads the locale of dates from the environment once, when the
    // application starts.
    if (!m_time.startsWith("zh"))
        qputenv("LC_TIME", "zh_CN.UTF-8");
}

void ChineseDates::restore()
{
    if (m_time.isNull())
        qunsetenv("LC_TIME");
    else
        qputenv("LC_TIME", m_time);
    // The C library refused the whole locale when the Chinese one is not
    // installed; it takes the user's again.
    std::setlocale(LC_ALL, "");
}

bool installChineseTranslations(QCoreApplication& app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void setChineseButtonTexts(QDialogButtonBox& buttons)
{
    for (const ButtonText& entry : kButtonTexts)
        if (QPushButton* button = buttons.button(entry.button))
            button->setText(QString::fromUtf16(entry.text));
}

void setChineseButtonTexts(QMessageBox& box)
{
    for (const ButtonText& entry : kButtonTexts)
        if (QAbstractButton* button = box.button(QMessageBox::StandardButton(int(entry.button))))
            button->setText(QString::fromUtf16(entry.text));
}

QDialogButtonBox* okCancelButtons(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    setChineseButtonTexts(*buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace platform
