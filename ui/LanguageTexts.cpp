#include "ui/LanguageTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStringDecoder>

#include <algorithm>

namespace {

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;  // blanks and control characters
}

QString Strip(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.mid(first, last - first);
}

// Keys are matched with the letters A to Z lowered; nothing else changes.
QString LowerKey(const QString& key)
{
    QString lowered = key;
    for (QChar& c : lowered)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    return lowered;
}

// Lines end with CR LF, LF or CR.
QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) lines << text.mid(start);
    return lines;
}

void SetHintOf(QObject* target, const QString& hint)
{
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(hint);
    }
}

}  // namespace

bool ParseLanguageLine(const QString& line, QString& key, QString& caption, QString& hint)
{
    key.clear();
    caption.clear();
    hint.clear();
    const QString text = Strip(line);
    if (text.isEmpty() || text.startsWith(QLatin1Char(';'))) return false;
    const qsizetype first = text.indexOf(QLatin1Char('='));
    if (first <= 0) return false;
    const QString rest = text.mid(first + 1);
    const qsizetype second = rest.indexOf(QLatin1Char('='));
    const QString parsedCaption = Strip(second < 0 ? rest : rest.left(second));
    if (parsedCaption.isEmpty()) return false;
    key = Strip(text.left(first));
    caption = parsedCaption;
    if (second >= 0) hint = Strip(rest.mid(second + 1));
    return true;
}

LanguageTexts LanguageTexts::Parse(const QByteArray& data)
{
    LanguageTexts texts;
    QStringDecoder decode(QStringDecoder::Utf8);  // drops a leading byte-order mark
    QString key, caption, hint;
    for (const QString& line : SplitLines(decode(data)))
        if (ParseLanguageLine(line, key, caption, hint)) texts.Set(key, caption, hint);
    return texts;
}

void LanguageTexts::Set(const QString& key, const QString& caption, const QString& hint)
{
    entries_.insert(LowerKey(key), Entry{caption, hint});
}

const LanguageTexts::Entry* LanguageTexts::Find(const char* key) const
{
    const auto found = entries_.constFind(QLatin1String(key));
    return found == entries_.constEnd() ? nullptr : &*found;
}

QHash<QString, QString> LanguageTexts::CaptionsWithPrefix(const QString& prefix) const
{
    QHash<QString, QString> captions;
    for (auto entry = entries_.constBegin(); entry != entries_.constEnd(); ++entry)
        if (entry.key().startsWith(prefix)) captions.insert(entry.key(), entry.value().caption);
    return captions;
}

bool LanguageTexts::Caption(const char* key, QObject* target) const
{
    const Entry* entry = Find(key);
    if (!entry || !target) return false;
    SetCaption(target, entry->caption);
    return true;
}

bool LanguageTexts::CaptionAndHint(const char* key, QObject* target) const
{
    if (!Caption(key, target)) return false;
    SetHintOf(target, Find(key)->hint);
    return true;
}

bool LanguageTexts::Hint(const char* key, QObject* target) const
{
    const Entry* entry = Find(key);
    if (!entry || !target) return false;
    SetHintOf(target, entry->hint);
    return true;
}

bool LanguageTexts::Text(const char* key, QString& target) const
{
    const Entry* entry = Find(key);
    if (!entry) return false;
    target = entry->caption;
    return true;
}

bool LanguageTexts::ListEntries(const char* key, QComboBox* target) const
{
    const Entry* entry = Find(key);
    if (!entry || !target) return false;
    SetListEntries(target, entry->caption.split(QLatin1Char('|')));
    return true;
}

void SetListEntries(QComboBox* box, const QStringList& entries)
{
    if (!box) return;
    const qsizetype common = std::min<qsizetype>(box->count(), entries.size());
    for (int i = 0; i < common; ++i) box->setItemText(i, entries[i]);
    while (box->count() > entries.size()) box->removeItem(box->count() - 1);
    for (qsizetype i = common; i < entries.size(); ++i) box->addItem(entries[i]);
}

QStringList ListEntriesOf(const QComboBox* box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
    return entries;
}

void SetCaption(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target)) action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target)) menu->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(target)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target)) button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target)) group->setTitle(text);
    else if (auto* widget = qobject_cast<QWidget*>(target)) widget->setWindowTitle(text);
}

QString CaptionOf(const QObject* source)
{
    if (auto* action = qobject_cast<const QAction*>(source)) return action->text();
    if (auto* menu = qobject_cast<const QMenu*>(source)) return menu->title();
    if (auto* label = qobject_cast<const QLabel*>(source)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(source)) return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(source)) return group->title();
    if (auto* widget = qobject_cast<const QWidget*>(source)) return widget->windowTitle();
    return QString();
}
