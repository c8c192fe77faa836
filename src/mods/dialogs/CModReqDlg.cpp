#include "mods/dialogs/CModReqDlg.h"

#include "app/text/ServiceAddressList.h"
#include "app/text/StringList.h"
#include "mods/master/ModExchange.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

CModReqDlg::CModReqDlg(Mode mode, ModList& list, QWidget* parent) : CKSDialog(parent), m_mode(mode), m_list(list)
{
    SetTitleText(QString::fromStdString(GetString(kHeading)));
    resize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(Content());
    auto* label = new QLabel(mode == Mode::List ? QStringLiteral("Asking for the list of custom games...")
                                                : QStringLiteral("Counting servers and players..."),
                             Content());
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_exchange && m_exchange->Tick()) {
            m_timer->stop();
            if (m_mode == Mode::List)
                m_list = static_cast<ModListExchange&>(*m_exchange).TakeResult();
            accept();
        }
    });
}

CModReqDlg::~CModReqDlg() = default;

int CModReqDlg::exec()
{
    if (m_mode == Mode::List)
        m_exchange = std::make_unique<ModListExchange>();
    else
        m_exchange = std::make_unique<ModCountExchange>(m_list);
    if (!m_exchange->Start(ServiceAddresses()))
        return 0;
    m_timer->start(kModTickMs);
    return CKSDialog::exec();
}
