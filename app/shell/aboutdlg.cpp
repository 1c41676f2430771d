#include "app/shell/aboutdlg.h"

#include "app/panes/resourceids.h"
#include "app/shell/marqueestatic.h"
#include "app/shell/picturebutton.h"
#include "app/shell/version.h"
#include "tables/framework/tableslibrary.h"
#include "widgara/button.h"
#include "widgara/dlgitem.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>

namespace {

QFont systemFont(int weight, int pixelHeight)
{
    QFont font = QApplication::font();
    font.setWeight(QFont::Weight(weight));
    font.setPixelSize(pixelHeight);
    return font;
}

template <typename W>
W* control(W* widget, int nID)
{
    widgara::SetDlgCtrlID(widget, nID);
    return widget;
}

} // namespace

QString aboutNotice()
{
    return QStringLiteral(
        "Rodo表 钢筋翻样\n"
        "\n"
        "钢筋配料单、规格排序、用量与接头汇总\n"
        "原材进货、钢筋料牌、优化断料\n"
        "钢筋加工单与钢筋用量表\n"
        "\n"
        "文件保存时先写临时文件，\n"
        "写完才替换原文件。\n"
        "\n"
        "快速教程：帮助菜单 → 快速教程");
}

CAboutDlg::CAboutDlg(QWidget* parent)
    : CXTResizeDialog(IDD, parent), m_boldFont(systemFont(700, 20)), m_normalFont(systemFont(400, 14))
{
    setWindowTitle(QStringLiteral("关于 Rodo表"));
    auto* layout = new QVBoxLayout(this);
    m_picture = control(new CPictureButton(this), IDC_PICTURE);
    m_picture->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_name = control(new QLabel(this), IDC_NAME);
    m_version = control(new QLabel(this), IDC_VERSION);
    m_notice = control(new CMarqueeStatic(this), IDC_NOTICE);
    m_notice->setMinimumSize(320, 140);
    m_ok = control(new CXTButton(this), IDOK);
    m_ok->setText(QStringLiteral("确定"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { EndDialog(IDOK); });
    auto* head = new QHBoxLayout;
    auto* title = new QVBoxLayout;
    title->addStretch();
    title->addWidget(m_name);
    title->addWidget(m_version);
    title->addStretch();
    head->addWidget(m_picture);
    head->addSpacing(12);
    head->addLayout(title, 1);
    layout->addLayout(head);
    layout->addWidget(m_notice, 1);
    layout->addWidget(m_ok, 0, Qt::AlignRight);
}

bool CAboutDlg::OnInitDialog()
{
    CXTResizeDialog::OnInitDialog();
    m_name->setFont(m_boldFont);
    m_name->setText(QStringLiteral("Rodo表"));
    m_version->setFont(m_normalFont);
    m_version->setText(versionText(QStringLiteral("版本：")));
    m_picture->SetBitmaps(IDB_ABOUT, 0xFFFFFF);
    m_ok->SetXButtonStyle(BS_XT_XPFLAT | BS_XT_SEMIFLAT | BS_XT_FLAT);
    m_ok->SetTheme(std::make_unique<CXTButtonThemeOfficeXP>());

    m_notice->setFont(m_normalFont);
    m_notice->SetText(aboutNotice());
    m_notice->SetTextColor(0xFF6432);
    m_notice->SetBkColor(0xFFFFF8);
    m_notice->StartScroll(3, 200);
    m_notice->SetDirection(CMarqueeStatic::kUp);
    m_notice->SetStartX(0);
    m_notice->CenterVertically();
    SetResize(m_notice, 0, 0, 1, 1);
    SetResize(m_ok, 1, 1, 1, 1);
    enableDialogTheme(this);
    return true;
}
