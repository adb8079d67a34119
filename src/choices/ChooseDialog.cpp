#include "choices/ChooseDialog.h"

#include "engine/EntryParts.h"
#include "engine/FitToSentence.h"
#include "engine/Numbers.h"
#include "platform/Accessibility.h"
#include "platform/Prompts.h"
#include "engine/Spintax.h"
#include "platform/TextBox.h"
#include "platform/Titles.h"
#include "sources/TextFiles.h"
#include "startup/WordStore.h"
#include "wizard/ChangeMarks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QDir>

#include <algorithm>

namespace {

// As the finish page marks a changed word, and lighter for one that could.
const QColor WillChange(255, 185, 0, 95);
const QColor CouldChange(255, 185, 0, 28);

QString classNameOf(const QString &code)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("n"), QStringLiteral("noun")},
        {QStringLiteral("ns"), QStringLiteral("plural noun")},
        {QStringLiteral("v"), QStringLiteral("verb")},
        {QStringLiteral("vz"), QStringLiteral("verb")},
        {QStringLiteral("vg"), QStringLiteral("verb, -ing form")},
        {QStringLiteral("vd"), QStringLiteral("verb, past form")},
        {QStringLiteral("a"), QStringLiteral("adjective")},
        {QStringLiteral("ar"), QStringLiteral("adjective, comparative")},
        {QStringLiteral("as"), QStringLiteral("adjective, superlative")},
        {QStringLiteral("r"), QStringLiteral("adverb")},
    };
    return names.value(code);
}

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

ChooseDialog::ChooseDialog(FitToSentence &fit, WordStore &store, Prompts &prompts, const QString &text,
                           const QStringList &keywords, QWidget *parent)
    : QDialog(parent), m_fit(fit), m_store(store), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmChoose"));
    setWindowTitle(Caption);
    setModal(true);
    setSizeGripEnabled(true);
    resize(860, 540);

    m_text = new TextBox(this);
    m_text->setObjectName(QStringLiteral("TxtChoose"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setText(text);
    m_marks = new ChangeMarks(m_text);
    m_marks->setColours(WillChange, CouldChange);
    m_figure = new QLabel(this);
    m_figure->setObjectName(QStringLiteral("LblChooseFigure"));
    m_selectedWord = new NoticeLabel(QString(), this);
    m_selectedWord->setObjectName(QStringLiteral("LblChooseWord"));
    m_selectedWord->setWordWrap(true);
    m_selectedWord->setTextFormat(Qt::PlainText);
    m_selectedWord->setMinimumHeight(60);
    m_selectedWord->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_candidates = new QListWidget(this);
    m_candidates->setObjectName(QStringLiteral("LstChooseCandidates"));
    auto *ownLabel = new QLabel(QStringLiteral("&Your own synonym:"), this);
    m_ownSynonym = new QLineEdit(this);
    m_ownSynonym->setObjectName(QStringLiteral("TxtOwnSynonym"));
    ownLabel->setBuddy(m_ownSynonym);
    m_add = button("CmdAdd", QStringLiteral("Add"), this);
    m_save = button("CmdSaveSpintax", QStringLiteral("Save as spintax..."), this);
    m_ok = button("CmdOK", QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_cancel = button("CmdCancel", QStringLiteral("Cancel"), this);
    auto *hint = new QLabel(QStringLiteral("F8 and Shift+F8: next and previous word. 1 to 9 or Space: tick or untick."),
                            this);
    hint->setObjectName(QStringLiteral("LblChooseKeys"));
    hint->setWordWrap(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_text, 0, 0, 4, 1);
    layout->addWidget(m_figure, 4, 0);
    layout->addWidget(m_selectedWord, 0, 1, 1, 2);
    layout->addWidget(m_candidates, 1, 1, 1, 2);
    layout->addWidget(ownLabel, 2, 1, 1, 2);
    layout->addWidget(m_ownSynonym, 3, 1);
    layout->addWidget(m_add, 3, 2);
    layout->addWidget(hint, 4, 1, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons, 5, 0, 1, 3);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(1, 1);

    nameForScreenReaders(m_text, QStringLiteral("Text"),
                         QStringLiteral("Words that will change are marked; words with synonyms to choose, more "
                                        "lightly. Press F8 for the next word."));
    nameForScreenReaders(m_candidates, QStringLiteral("Synonyms"),
                         QStringLiteral("Ticked synonyms may stand in the word's place. Press 1 to 9 or Space to "
                                        "tick or untick."));
    nameForScreenReaders(m_ownSynonym, QStringLiteral("Your own synonym"),
                         QStringLiteral("A synonym of the selected word to add, ticked."));
    nameForScreenReaders(m_add, m_add->text(), QStringLiteral("Adds your own synonym of the selected word."));
    nameForScreenReaders(m_save, QStringLiteral("Save as spintax"),
                         QStringLiteral("Writes the text with each word that can change as a group of it and its "
                                        "ticked synonyms, to a file you choose."));
    nameForScreenReaders(m_ok, m_ok->text(), QStringLiteral("Keeps the choices."));
    nameForScreenReaders(m_cancel, m_cancel->text(), QStringLiteral("Forgets the choices made since the window opened."));
    setTabOrder(m_text, m_candidates);
    setTabOrder(m_candidates, m_ownSynonym);
    setTabOrder(m_ownSynonym, m_add);
    setTabOrder(m_add, m_save);
    setTabOrder(m_save, m_ok);
    setTabOrder(m_ok, m_cancel);

    m_source = TextBox::toCrLf(text);
    m_list.FillWordList(m_source);
    findPlaces(keywords);
    markWords();
    showFigure();

    connect(m_candidates, &QListWidget::itemChanged, this, &ChooseDialog::candidateChanged);
    connect(m_text, &QPlainTextEdit::cursorPositionChanged, this, &ChooseDialog::selectWordAtCursor);
    connect(m_add, &QPushButton::clicked, this, [this] { addOwnSynonym(m_ownSynonym->text()); });
    connect(m_save, &QPushButton::clicked, this, &ChooseDialog::saveAsSpintax);
    connect(m_ok, &QPushButton::clicked, this, &ChooseDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &ChooseDialog::reject);
    m_ownSynonym->installEventFilter(this);
    connect(new QShortcut(QKeySequence(Qt::Key_F8), this), &QShortcut::activated, this, [this] { step(1); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8), this), &QShortcut::activated, this,
            [this] { step(-1); });
    for (int number = 1; number <= 9; ++number) {
        connect(new QShortcut(QKeySequence(Qt::Key_0 + number), this), &QShortcut::activated, this,
                [this, number] { toggleCandidate(number); });
    }
    if (!m_places.empty())
        selectPlace(0);
    m_candidates->setFocus();
}

ChooseDialog::~ChooseDialog() = default;

void ChooseDialog::findPlaces(const QStringList &keywords)
{
    const std::vector<ChangeMarks::Span> words = ChangeMarks::wordsOf(m_text);
    m_wordCount = int(words.size());
    m_starts.reserve(words.size());
    for (const ChangeMarks::Span &w : words)
        m_starts.push_back(w.start);
    m_fit.beginVariation(m_list);
    int word = 0;
    for (qsizetype i = 0; i < m_list.count(); ++i) {
        const int count = int(m_list.parts(i).headWords);
        if (m_list.at(i) != WordList::LineBreak && m_fit.offersAt(m_list, i, keywords) && m_fit.hasOffersAt(i))
            m_places.push_back({i, m_fit.wordAt(i), m_fit.classCodeAt(i), word, count});
        word += count;
    }
}

QStringList ChooseDialog::tickedAt(const Place &place) const
{
    const StoreAnswer<QStringList> stored = m_fit.tickedAt(place.entry);
    QStringList ticked = stored ? *stored : QStringList();
    const auto ticks = m_ticks.constFind(keyOf(place));
    if (ticks == m_ticks.constEnd())
        return ticked;
    for (auto t = ticks->cbegin(); t != ticks->cend(); ++t) {
        if (!t->ticked)
            ticked.removeAll(t.key());
        else if (!ticked.contains(t.key()))
            ticked.append(t.key());
    }
    return ticked;
}

bool ChooseDialog::isTicked(const Place &place, const QString &synonym, bool stored) const
{
    const auto ticks = m_ticks.constFind(keyOf(place));
    if (ticks != m_ticks.constEnd()) {
        const auto t = ticks->constFind(synonym);
        if (t != ticks->constEnd())
            return t->ticked;
    }
    return stored;
}

void ChooseDialog::setTicked(const Place &place, const QString &synonym, bool ticked, bool stored)
{
    QHash<QString, Tick> &ticks = m_ticks[keyOf(place)];
    auto t = ticks.find(synonym);
    if (t == ticks.end())
        ticks.insert(synonym, {ticked, stored});
    else
        t->ticked = ticked;
}

void ChooseDialog::selectPlace(qsizetype index)
{
    if (index < 0 || index >= placeCount())
        return;
    m_selected = index;
    const Place &place = m_places[size_t(index)];
    if (place.firstWord < int(m_starts.size())) {
        const EntryParts parts = EntryParts::of(m_list.at(place.entry));
        QTextCursor cursor = m_text->textCursor();
        const int start = m_starts[size_t(place.firstWord)] + int(parts.leading.size());
        const int end = start + int(parts.word.size());
        m_selecting = true;
        cursor.setPosition(end);
        cursor.setPosition(start, QTextCursor::KeepAnchor);
        m_text->setTextCursor(cursor);
        m_text->ensureCursorVisible();
        m_selecting = false;
    }
    showCandidates();
}

void ChooseDialog::showCandidates()
{
    m_filling = true;
    m_candidates->clear();
    m_shown.clear();
    if (m_selected < 0) {
        m_filling = false;
        return;
    }
    const Place &place = m_places[size_t(m_selected)];
    const StoreAnswer<QVector<FitToSentence::Offer>> offers = m_fit.offeredAt(place.entry);
    QVector<FitToSentence::Offer> all = offers ? *offers : QVector<FitToSentence::Offer>();
    for (const QString &own : m_own.value(keyOf(place))) {
        if (std::none_of(all.begin(), all.end(), [&](const FitToSentence::Offer &o) { return o.synonym == own; }))
            all.append({own, m_fit.shownAt(place.entry, own), std::nullopt, false});
    }
    QStringList spoken;
    for (const FitToSentence::Offer &offer : std::as_const(all)) {
        const int number = int(m_shown.size()) + 1;
        const bool ticked = isTicked(place, offer.synonym, offer.ticked);
        auto *item = new QListWidgetItem(
            number <= 9 ? QStringLiteral("%1   %2").arg(number).arg(offer.shown) : QStringLiteral("     %1").arg(offer.shown),
            m_candidates);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, offer.synonym);
        item->setData(Qt::UserRole + 1, offer.ticked);
        m_shown.append(offer.synonym);
        spoken << QStringLiteral("%1 %2").arg(offer.shown, ticked ? QStringLiteral("ticked") : QStringLiteral("not ticked"));
    }
    m_candidates->setCurrentRow(0);
    m_filling = false;

    const QString word = EntryParts::of(m_list.at(place.entry)).word;
    const QString sentence = sentenceOf(place.entry);
    m_selectedWord->setText(QStringLiteral("%1 (%2), word %3 of %4:\n%5")
                                .arg(word, classNameOf(place.classCode))
                                .arg(m_selected + 1)
                                .arg(placeCount())
                                .arg(sentence));
    // Read out as one: the word, its sentence (with its full stop, and one where it has none) and its synonyms.
    const bool stops = !sentence.isEmpty() && QStringLiteral(".?!\"')").contains(sentence.back());
    m_selectedWord->setAccessibleName(QStringLiteral("%1, %2, in: %3%4 Synonyms: %5.")
                                          .arg(word, classNameOf(place.classCode), sentence,
                                               stops ? QString() : QStringLiteral("."),
                                               spoken.isEmpty() ? QStringLiteral("none") : spoken.join(QStringLiteral(", "))));
    m_candidates->setAccessibleDescription(QStringLiteral("Synonyms of %1 in: %2").arg(word, sentence));
    announce(m_selectedWord);
}

QString ChooseDialog::sentenceOf(qsizetype entry) const
{
    qsizetype from = entry, to = entry;
    while (from > 0 && !m_fit.startsSentence(from) && m_list.at(from - 1) != WordList::LineBreak)
        --from;
    while (to + 1 < m_list.count() && m_list.at(to + 1) != WordList::LineBreak && !m_fit.startsSentence(to + 1))
        ++to;
    QStringList words;
    for (qsizetype i = from; i <= to; ++i)
        words << m_list.at(i);
    return words.join(QLatin1Char(' '));
}

void ChooseDialog::candidateChanged(QListWidgetItem *item)
{
    if (m_filling || m_selected < 0)
        return;
    const Place &place = m_places[size_t(m_selected)];
    setTicked(place, item->data(Qt::UserRole).toString(), item->checkState() == Qt::Checked,
              item->data(Qt::UserRole + 1).toBool());
    markWords();
    showFigure();
}

void ChooseDialog::toggleCandidate(int number)
{
    if (number < 1 || number > m_candidates->count())
        return;
    QListWidgetItem *item = m_candidates->item(number - 1);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    m_candidates->setCurrentItem(item);
}

void ChooseDialog::addOwnSynonym(const QString &typed)
{
    const QString synonym = typed.simplified();
    if (m_selected < 0 || synonym.isEmpty())
        return;
    const Place &place = m_places[size_t(m_selected)];
    if (synonym.compare(place.word, Qt::CaseInsensitive) == 0)
        return;
    // Kept in the lists' own letter case: the place gives it its capitals.
    const QString kept = EntryParts::isAllCapitals(synonym) ? synonym : synonym.toLower();
    const qsizetype known = m_shown.indexOf(kept);
    if (known < 0) {
        m_own[keyOf(place)].append(kept);
        setTicked(place, kept, true, false);
    } else {
        QListWidgetItem *item = m_candidates->item(int(known));
        setTicked(place, kept, true, item->data(Qt::UserRole + 1).toBool());
    }
    m_ownSynonym->clear();
    showCandidates();
    markWords();
    showFigure();
    m_candidates->setCurrentRow(int(m_shown.indexOf(kept)));
}

void ChooseDialog::markWords()
{
    std::vector<quint8> kinds(size_t(m_wordCount), WordChanges::Same);
    for (const Place &place : m_places) {
        const quint8 kind = tickedAt(place).isEmpty() ? WordChanges::Inserted : WordChanges::Changed;
        for (int w = place.firstWord; w < place.firstWord + place.words && w < m_wordCount; ++w)
            kinds[size_t(w)] = kind;
    }
    m_marks->mark(WordChanges(std::move(kinds)));
}

void ChooseDialog::showFigure()
{
    qsizetype canChange = 0;
    for (const Place &place : m_places)
        canChange += tickedAt(place).isEmpty() ? 0 : 1;
    const qsizetype more = placeCount() - canChange;
    const qint64 percent = m_wordCount == 0 ? 0 : roundHalfEven(100.0 * double(canChange) / double(m_wordCount));
    m_figure->setText(QStringLiteral("%1 of %2 words can change (%3%), %4 more have synonyms to choose")
                          .arg(canChange)
                          .arg(m_wordCount)
                          .arg(percent)
                          .arg(more));
    m_figure->setAccessibleName(m_figure->text());
}

void ChooseDialog::selectWordAtCursor()
{
    if (m_selecting)
        return;
    const int at = m_text->textCursor().position();
    // The word the cursor is in, or just after.
    const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), at);
    if (next == m_starts.begin())
        return;
    const int word = int(next - m_starts.begin()) - 1;
    // The places stand in the order of their words.
    auto place = std::upper_bound(m_places.begin(), m_places.end(), word,
                                  [](int w, const Place &p) { return w < p.firstWord; });
    if (place == m_places.begin())
        return;
    --place;
    if (word < place->firstWord + std::max(place->words, 1) && place - m_places.begin() != m_selected) {
        m_selected = place - m_places.begin();
        showCandidates();
    }
}

void ChooseDialog::step(int by)
{
    if (m_places.empty())
        return;
    const qsizetype count = placeCount();
    selectPlace(m_selected < 0 ? (by > 0 ? 0 : count - 1) : (m_selected + by + count) % count);
}

bool ChooseDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the box of one's own synonym adds it; with the box empty it is OK.
    if (watched == m_ownSynonym && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_ownSynonym->text().trimmed().isEmpty()) {
            addOwnSynonym(m_ownSynonym->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ChooseDialog::accept()
{
    QVector<WordStore::ChoiceChange> changes;
    for (auto key = m_ticks.cbegin(); key != m_ticks.cend(); ++key) {
        const QString word = key.key().section(QLatin1Char('\t'), 0, 0);
        const QString code = key.key().section(QLatin1Char('\t'), 1);
        for (auto t = key->cbegin(); t != key->cend(); ++t) {
            if (t->ticked != t->before)
                changes.append({word, code, t.key(), t->ticked});
        }
    }
    if (auto error = m_store.SaveChoices(changes)) {
        m_prompts.message(QStringLiteral("Your choices could not be kept: %1").arg(*error), Prompts::Critical,
                          Caption);
        return;
    }
    QDialog::accept();
}

QString ChooseDialog::asSpintax() const
{
    QHash<qsizetype, const Place *> places;
    for (const Place &place : m_places)
        places.insert(place.entry, &place);
    // The text is cut as the word list cuts it; what lies between the
    // entries (spaces and line breaks) is written as it stands.
    const QStringView text(m_source);
    QString out;
    out.reserve(text.size() + text.size() / 4);
    qsizetype entry = 0, written = 0;
    WordList::cut(
        text,
        [&](qsizetype start, qsizetype length) {
            out += text.mid(written, start - written);
            const QStringView piece = text.mid(start, length);
            const Place *place = places.value(entry++);
            const QStringList ticked = place ? tickedAt(*place) : QStringList();
            if (ticked.isEmpty()) {
                out += Spintax::escaped(piece);
            } else {
                const EntryParts parts = EntryParts::of(piece.toString());
                QStringList options{parts.word};
                for (const QString &synonym : ticked)
                    options << EntryParts::withCapitalsOf(synonym, parts.word);
                out += Spintax::escaped(parts.leading) + Spintax::group(options) + Spintax::escaped(parts.trailing);
            }
            written = start + length;
        },
        [&] { ++entry; });
    out += text.mid(written);
    return out;
}

void ChooseDialog::saveAsSpintax()
{
    const QString path = m_prompts.saveFile(SpintaxFilter);
    if (path.isEmpty())
        return;
    if (!mayReplace(m_prompts, path, Caption))
        return;
    QStringList lines = asSpintax().split(QLatin1String("\r\n"));
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast(); // the writer ends every line with CR LF
    if (auto error = WriteTextFile(path, lines)) {
        m_prompts.message(*error, Prompts::Critical, Caption);
        return;
    }
    m_prompts.message(QStringLiteral("The text is saved as spintax in %1.").arg(QDir::toNativeSeparators(path)),
                      Prompts::Information, Caption);
}
