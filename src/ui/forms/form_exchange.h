#pragma once
// A form's fields and its controls, bound once in the form's exchange order.
//
//   exchange_.bind(precision_, precision_list, "Precisione per X e Y")  // item text
//            .bind(origin_x_, origin_x_edit, "Origine X")               // double, 15 digits
//            .bind(step_x_, step_x_edit, "Passo X [m]")                 // float, 6 digits
//            .bind(steps_x_, steps_x_edit, "Passi lungo X");            // int32
//
// write_form() shows every field in its control.  read_form() reads them in
// order and, at the first number that cannot be read, shows "Please enter a
// number." (or "... an integer."), focuses that control with its text
// selected and stops: earlier fields keep their new values, that one and the
// later ones their old ones.  Every text change of a bound edit, selection
// change of a bound list and click of a bound check box or radio button
// reads the form; showing the values does not count as a change.
//
// A binding with a `name` gives it to its control as object name and
// accessible name, so tests, screen readers and desktop automation find it
// the same way; without one the control keeps the name it was placed with.
// Where labels repeat, the name carries the qualifier ("X [m] traliccio 2").
//
// Fields are held by reference: they must outlive the exchange and stay put.

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace tralva {

class Messenger;

class FormExchange {
 public:
  explicit FormExchange(Messenger& messenger);
  ~FormExchange();
  FormExchange(const FormExchange&) = delete;
  FormExchange& operator=(const FormExchange&) = delete;

  FormExchange& bind(double& field, QLineEdit* edit, const QString& name = {});
  FormExchange& bind(float& field, QLineEdit* edit, const QString& name = {});
  FormExchange& bind(std::int32_t& field, QLineEdit* edit, const QString& name = {});
  // Text as typed (paths).
  FormExchange& bind(std::string& field, QLineEdit* edit, const QString& name = {});
  // The selected item's text.
  FormExchange& bind(std::string& field, QComboBox* list, const QString& name = {});
  // The selected item's index.
  FormExchange& bind(int& field, QComboBox* list, const QString& name = {});
  // 0 or 1.  A click flips the field, then reads the form, which sets it from
  // the box: the field follows the box even when an earlier field fails.
  FormExchange& bind(int& field, QCheckBox* box, const QString& name = {});
  // A read-only integer shown in a static text; read back like an integer edit.
  FormExchange& bind(std::int32_t& field, QLabel* text, const QString& name = {});
  // A read-only float (a result) shown in a static text with 6 digits; read
  // back like a float edit.
  FormExchange& bind(float& field, QLabel* text, const QString& name = {});

  // One radio button of a pair whose flags the form keeps but never shows:
  // a click sets `chosen`, clears `other`, then reads the form.  Writing the
  // form leaves the button as it is, so a new window opens with it unselected.
  FormExchange& choice(QRadioButton* button, bool& chosen, bool& other);
  // A read-only text shown in a static text.
  FormExchange& bind(std::string& field, QLabel* text, const QString& name = {});

  void write_form();
  // False when a field could not be read (its prompt has been shown).
  bool read_form();

  class Binding;

 private:
  FormExchange& add(std::unique_ptr<Binding> binding, QWidget* control, const QString& name);
  void watch(QLineEdit* edit);
  void watch(QComboBox* list);
  FormExchange& add_static(std::unique_ptr<Binding> binding, QLabel* text, const QString& name);

  Messenger& messenger_;
  std::vector<std::unique_ptr<Binding>> bindings_;
  // Context of the change connections: they end with the exchange.
  QObject connections_;
  bool busy_ = false;
};

}  // namespace tralva
