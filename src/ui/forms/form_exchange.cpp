#include "forms/form_exchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <optional>

#include "common/field.h"
#include "forms/form_layout.h"
#include "forms/messenger.h"
#include "forms/reading_note.h"

namespace tralva {

// One field and its control.  read() returns false when the text holds no
// number; the field is then left as it was.
class FormExchange::Binding {
 public:
  virtual ~Binding() = default;
  virtual void write() = 0;
  virtual bool read() = 0;
  // The prompt when read() fails.
  virtual const char* prompt() const { return kNumberPrompt; }
  // Puts the focus on the control with its text selected.
  virtual void focus() = 0;
};

namespace {

std::string text_of(const QLineEdit* edit) { return edit->text().toStdString(); }

void focus_edit(QLineEdit* edit) {
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
}

// The numeric edits differ only in field type, display and parser.  Each
// read also says on the edit when its text was more than the number kept.
template <typename T, std::string (*Show)(T), std::optional<T> (*Parse)(std::string_view),
          const char* Prompt, FieldKind Kind>
class NumberBinding final : public FormExchange::Binding {
 public:
  NumberBinding(T& field, QLineEdit* edit) : field_(field), edit_(edit) {}
  void write() override {
    edit_->setText(QString::fromStdString(Show(field_)));
    show_reading_note(*edit_, std::nullopt);
  }
  bool read() override {
    const std::string text = text_of(edit_);
    const std::optional<T> value = Parse(text);
    show_reading_note(*edit_, value ? field_reading_note(text, Kind) : std::nullopt);
    if (!value) return false;
    field_ = *value;
    return true;
  }
  const char* prompt() const override { return Prompt; }
  void focus() override { focus_edit(edit_); }

 private:
  T& field_;
  QLineEdit* edit_;
};

using DoubleBinding =
    NumberBinding<double, show_double, parse_field_double, kNumberPrompt, FieldKind::real64>;
using FloatBinding =
    NumberBinding<float, show_float, parse_field_float, kNumberPrompt, FieldKind::real32>;
using IntBinding =
    NumberBinding<std::int32_t, show_int, parse_field_int, kIntegerPrompt, FieldKind::int32>;

class TextBinding final : public FormExchange::Binding {
 public:
  TextBinding(std::string& field, QLineEdit* edit) : field_(field), edit_(edit) {}
  void write() override { edit_->setText(QString::fromStdString(field_)); }
  bool read() override {
    field_ = text_of(edit_);
    return true;
  }
  void focus() override { focus_edit(edit_); }

 private:
  std::string& field_;
  QLineEdit* edit_;
};

class ListTextBinding final : public FormExchange::Binding {
 public:
  ListTextBinding(std::string& field, QComboBox* list) : field_(field), list_(list) {}
  void write() override {
    list_->setCurrentIndex(list_->findText(QString::fromStdString(field_), Qt::MatchExactly));
  }
  bool read() override {
    field_ = list_->currentText().toStdString();
    return true;
  }
  void focus() override { list_->setFocus(Qt::OtherFocusReason); }

 private:
  std::string& field_;
  QComboBox* list_;
};

class ListIndexBinding final : public FormExchange::Binding {
 public:
  ListIndexBinding(int& field, QComboBox* list) : field_(field), list_(list) {}
  void write() override { list_->setCurrentIndex(field_); }
  bool read() override {
    field_ = list_->currentIndex();
    return true;
  }
  void focus() override { list_->setFocus(Qt::OtherFocusReason); }

 private:
  int& field_;
  QComboBox* list_;
};

class CheckBinding final : public FormExchange::Binding {
 public:
  CheckBinding(int& field, QCheckBox* box) : field_(field), box_(box) {}
  void write() override { box_->setChecked(field_ != 0); }
  bool read() override {
    field_ = box_->isChecked() ? 1 : 0;
    return true;
  }
  void focus() override { box_->setFocus(Qt::OtherFocusReason); }

 private:
  int& field_;
  QCheckBox* box_;
};

// A number in a static text: the form shows it, the user cannot type it.
template <typename T, std::string (*Show)(T), std::optional<T> (*Parse)(std::string_view),
          const char* Prompt>
class StaticBinding final : public FormExchange::Binding {
 public:
  StaticBinding(T& field, QLabel* text) : field_(field), text_(text) {}
  void write() override { text_->setText(QString::fromStdString(Show(field_))); }
  bool read() override {
    const std::optional<T> value = Parse(text_->text().toStdString());
    if (!value) return false;
    field_ = *value;
    return true;
  }
  const char* prompt() const override { return Prompt; }
  void focus() override {}

 private:
  T& field_;
  QLabel* text_;
};

using StaticIntBinding = StaticBinding<std::int32_t, show_int, parse_field_int, kIntegerPrompt>;
using StaticFloatBinding = StaticBinding<float, show_float, parse_field_float, kNumberPrompt>;

class StaticTextBinding final : public FormExchange::Binding {
 public:
  StaticTextBinding(std::string& field, QLabel* text) : field_(field), text_(text) {}
  void write() override { text_->setText(QString::fromStdString(field_)); }
  bool read() override {
    field_ = text_->text().toStdString();
    return true;
  }
  void focus() override {}

 private:
  std::string& field_;
  QLabel* text_;
};

}  // namespace

FormExchange::FormExchange(Messenger& messenger) : messenger_(messenger) {}

FormExchange::~FormExchange() = default;

FormExchange& FormExchange::add(std::unique_ptr<Binding> binding, QWidget* control,
                                const QString& name) {
  if (!name.isEmpty()) name_control(control, name);
  bindings_.push_back(std::move(binding));
  return *this;
}

void FormExchange::watch(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textChanged, &connections_, [this] { read_form(); });
}

void FormExchange::watch(QComboBox* list) {
  QObject::connect(list, &QComboBox::currentIndexChanged, &connections_, [this] { read_form(); });
}

FormExchange& FormExchange::bind(double& field, QLineEdit* edit, const QString& name) {
  watch(edit);
  return add(std::make_unique<DoubleBinding>(field, edit), edit, name);
}

FormExchange& FormExchange::bind(float& field, QLineEdit* edit, const QString& name) {
  watch(edit);
  return add(std::make_unique<FloatBinding>(field, edit), edit, name);
}

FormExchange& FormExchange::bind(std::int32_t& field, QLineEdit* edit, const QString& name) {
  watch(edit);
  return add(std::make_unique<IntBinding>(field, edit), edit, name);
}

FormExchange& FormExchange::bind(std::string& field, QLineEdit* edit, const QString& name) {
  watch(edit);
  return add(std::make_unique<TextBinding>(field, edit), edit, name);
}

FormExchange& FormExchange::bind(std::string& field, QComboBox* list, const QString& name) {
  watch(list);
  return add(std::make_unique<ListTextBinding>(field, list), list, name);
}

FormExchange& FormExchange::bind(int& field, QComboBox* list, const QString& name) {
  watch(list);
  return add(std::make_unique<ListIndexBinding>(field, list), list, name);
}

FormExchange& FormExchange::bind(int& field, QCheckBox* box, const QString& name) {
  QObject::connect(box, &QCheckBox::clicked, &connections_, [this, &field] {
    field = field == 0 ? 1 : 0;
    read_form();
  });
  return add(std::make_unique<CheckBinding>(field, box), box, name);
}

FormExchange& FormExchange::add_static(std::unique_ptr<Binding> binding, QLabel* text,
                                       const QString& name) {
  // A static's accessible name is its text; the name describes it.
  if (!name.isEmpty()) {
    text->setObjectName(name);
    text->setAccessibleDescription(name);
  }
  bindings_.push_back(std::move(binding));
  return *this;
}

FormExchange& FormExchange::bind(std::int32_t& field, QLabel* text, const QString& name) {
  return add_static(std::make_unique<StaticIntBinding>(field, text), text, name);
}

FormExchange& FormExchange::bind(float& field, QLabel* text, const QString& name) {
  return add_static(std::make_unique<StaticFloatBinding>(field, text), text, name);
}

FormExchange& FormExchange::bind(std::string& field, QLabel* text, const QString& name) {
  return add_static(std::make_unique<StaticTextBinding>(field, text), text, name);
}

FormExchange& FormExchange::choice(QRadioButton* button, bool& chosen, bool& other) {
  QObject::connect(button, &QRadioButton::clicked, &connections_, [this, &chosen, &other] {
    chosen = true;
    other = false;
    read_form();
  });
  return *this;
}

void FormExchange::write_form() {
  if (busy_) return;
  busy_ = true;
  for (const auto& binding : bindings_) binding->write();
  busy_ = false;
}

bool FormExchange::read_form() {
  // Writing changes the controls, and the prompt moves the focus: neither is
  // an edit by the user.
  if (busy_) return true;
  busy_ = true;
  bool complete = true;
  for (const auto& binding : bindings_) {
    if (binding->read()) continue;
    messenger_.show(warning_message(binding->prompt()));
    binding->focus();
    complete = false;
    break;
  }
  busy_ = false;
  return complete;
}

}  // namespace tralva
