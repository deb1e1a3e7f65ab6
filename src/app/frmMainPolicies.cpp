// The window's two policies (no look-alike characters, every class in every password) and the
// strength of what the next run makes.
#include "frmMain.h"

#include "RunAnnouncer.h"
#include "Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// The free third row of the character frame, right of the lower-case box, in twips.
constexpr double kPolicyRowLeft = 2640;
constexpr double kPolicyRowTop = 960;
constexpr double kPolicyRowHeight = 255;
constexpr double kPolicyGap = 120;
// The strength label stands at the bottom left, on the line of the count labels.
constexpr double kStrengthLeft = 120;

// A number box's text as a number: ASCII digits only, otherwise 0 (no number).
qint64 NumberIn(const QString& text) {
    if (text.isEmpty() || text.size() > 18)
        return 0;
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QCheckBox* makePolicyBox(QWidget* frame, const char* name, const QString& caption,
                         const QString& spoken) {
    auto* box = new QCheckBox(caption, frame);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(spoken);
    return box;
}

} // namespace

void frmMain::createPolicyControls() {
    chkNoSimilar = makePolicyBox(fraAddChr, "chkNoSimilar", QStringLiteral("似た文字を除く(&B)"),
                                 QStringLiteral("似た文字を除く"));
    chkNoSimilar->setToolTip(
        QStringLiteral("0 O o 1 l I | など、見間違えやすい文字をパスワードに使いません。"));
    chkEachClass = makePolicyBox(fraAddChr, "chkEachClass", QStringLiteral("全種類を含む(&Y)"),
                                 QStringLiteral("全種類を含む"));
    chkEachClass->setToolTip(
        QStringLiteral("選んだ文字の種類をどのパスワードにも1文字以上含めます。"));

    lblStrength = new QLabel(client);
    lblStrength->setObjectName(QStringLiteral("lblStrength"));
    lblStrength->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblStrength->setFont(lblKanryo->font());
    lblStrength->setToolTip(QStringLiteral(
        "次の実行で作るパスワード1つのエントロピーで、1ビット増えるごとに当てるまでの試行回数が"
        "2倍になります。"));
    lblStrength->setAccessibleDescription(lblStrength->toolTip());

    // Every option and the length change the figure; it follows each change at once.
    for (QCheckBox* box : {chkAddSuji, chkAddAlphabetBig, chkAddAlphabetMini, chkAddChr,
                           chkDeleteChr, chkNoSimilar, chkEachClass})
        connect(box, &QCheckBox::stateChanged, this, [this] { UpdateStrength(); });
    for (QLineEdit* box : {txtAddChr, txtDeleteChr, txtMojisu})
        connect(box, &QLineEdit::textChanged, this, [this] { UpdateStrength(); });
    announcer = new RunAnnouncer(client);
    announcer->tieStrength(lblStrength, {chkAddSuji, chkAddAlphabetBig, chkAddAlphabetMini,
                                         chkAddChr, chkDeleteChr, chkNoSimilar, chkEachClass,
                                         txtAddChr, txtDeleteChr, txtMojisu});
    UpdateStrength();
}

// At the design size the two boxes share the free third row; each is as wide as its caption.
void frmMain::placePolicyControls() {
    const int top = TwipsToPixels(kPolicyRowTop);
    const int height = TwipsToPixels(kPolicyRowHeight);
    const int left = TwipsToPixels(kPolicyRowLeft);
    chkNoSimilar->setGeometry(left, top, chkNoSimilar->sizeHint().width(), height);
    chkEachClass->setGeometry(chkNoSimilar->geometry().right() + 1 + TwipsToPixels(kPolicyGap), top,
                              chkEachClass->sizeHint().width(), height);
    placeStrengthLabel();
}

// From the left margin to just before the count's caption, on its line.
void frmMain::placeStrengthLabel() {
    const int left = TwipsToPixels(kStrengthLeft);
    const int right = lblKanryo->x() - TwipsToPixels(kPolicyGap);
    lblStrength->setGeometry(left, lblKanryo->y(), std::max(0, right - left), lblKanryo->height());
}

RunRequest frmMain::readRequest() const {
    RunRequest request;
    request.characters = readOptions();
    request.noSimilar = chkNoSimilar->checkState() == Qt::Checked;
    request.eachClass = chkEachClass->checkState() == Qt::Checked;
    request.length = NumberIn(txtMojisu->text());
    request.count = NumberIn(txtSeisei->text());
    return request;
}

void frmMain::UpdateStrength() {
    RunRequest request = readRequest();
    request.count = 1; // the figure is that of one password, whatever the count box holds
    const QString text = StrengthLabelText(PlanRun(request));
    lblStrength->setText(text);
    lblStrength->setAccessibleName(text.isEmpty() ? QStringLiteral("強度") : text);
    announcer->strengthChanged(text);
}
