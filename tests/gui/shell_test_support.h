// What the window tests share: scripted answers for the main window's
// dialogs, and record comparisons that name the fields that differ.
#pragma once

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <QStringList>
#include <cstring>
#include <deque>
#include <optional>
#include <vector>

#include "core/generation_ui.h"
#include "core/settings_record.h"
#include "gui/shell_dialogs.h"
#include "gui/windows/window_controls.h"
#include "settings/settings_fields.h"

namespace glenmire::test {

// Answers file dialogs and questions from queues and keeps a log of what was
// asked. A question with no answer queued, or a file dialog with none, is a
// fault of the test: it is counted in 'unexpected' and answered "cancel".
// A question takes the first queued answer among its own buttons.
class ScriptedDialogs : public ShellDialogs {
 public:
  struct Shown {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QString detail;
    QMessageBox::StandardButtons buttons;
  };

  std::deque<std::optional<QString>> files;
  std::deque<QMessageBox::StandardButton> answers;
  std::vector<FileDialogSetup> fileDialogs;
  std::vector<Shown> messages;
  int unexpected = 0;

  std::optional<QString> FileDialog(QWidget*, const FileDialogSetup& setup) override {
    fileDialogs.push_back(setup);
    if (files.empty()) {
      ++unexpected;
      return std::nullopt;
    }
    const bool cancelled = !files.front().has_value();
    const QString f = files.front().value_or(QString());
    files.pop_front();
    if (cancelled) return std::nullopt;
    return f;
  }

  QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text,
                                      const QString& detail, QMessageBox::StandardButtons buttons) override {
    messages.push_back({icon, title, text, detail, buttons});
    if (buttons == QMessageBox::Ok) return QMessageBox::Ok;  // nothing to decide
    // The first queued answer that this box offers.
    for (auto it = answers.begin(); it != answers.end(); ++it) {
      if (buttons.testFlag(*it)) {
        const auto a = *it;
        answers.erase(it);
        return a;
      }
    }
    ++unexpected;
    return QMessageBox::Cancel;
  }

  QStringList Texts() const {
    QStringList t;
    for (const Shown& m : messages) t << m.text;
    return t;
  }
};

// Answers the generation run's two questions as the window tests do:
// "Build On Sand" OK, "Unable to Place all Players" Ignore.
class AgreeingUi : public SilentUi {
 public:
  BuildOnSandAnswer AskBuildOnSand(const std::string&) override { return BuildOnSandAnswer::kOk; }
  UnplacedAnswer AskUnplaced(const std::string&) override { return UnplacedAnswer::kIgnore; }
};

// The names of the fields (with element numbers) in which two records differ.
inline QStringList DifferingFields(const SettingsRecord& a, const SettingsRecord& b) {
  QStringList out;
  const auto* pa = reinterpret_cast<const unsigned char*>(&a);
  const auto* pb = reinterpret_cast<const unsigned char*>(&b);
  for (const FieldInfo& f : SettingsFields()) {
    if (std::memcmp(pa + f.offset, pb + f.offset, f.Size()) == 0) continue;
    if (!f.IsArray()) {
      out << QString::fromLatin1(f.name.data(), static_cast<int>(f.name.size()));
      continue;
    }
    for (int i = 0; i < f.count; ++i) {
      const std::size_t at = f.offset + static_cast<std::size_t>(i) * f.ElementSize();
      if (std::memcmp(pa + at, pb + at, f.ElementSize()) != 0)
        out << QStringLiteral("%1[%2]")
                   .arg(QString::fromLatin1(f.name.data(), static_cast<int>(f.name.size())))
                   .arg(i + 1);
    }
  }
  return out;
}

// A control's value as a test reads it: position, number, check state, text
// or selected item.
inline QVariant ControlValue(const QWidget* w) {
  if (auto* s = qobject_cast<const QAbstractSlider*>(w)) return s->value();
  if (auto* s = qobject_cast<const QSpinBox*>(w)) return s->value();
  if (auto* c = qobject_cast<const QCheckBox*>(w)) return c->isChecked();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentIndex();
  if (auto* g = qobject_cast<const RadioGroup*>(w)) return g->ItemIndex();
  return {};
}

}  // namespace glenmire::test
