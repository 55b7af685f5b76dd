// The About box: the icon, the program's name and version, a description and a notice line,
// closed with OK. Built from the form description "AboutForm"; it has no code of its own.
#pragma once

#include "platform/Controls.h"
#include "platform/Forms.h"

class TAboutForm : public platform::TForm {
 public:
  explicit TAboutForm(TAboutForm*& self);
  ~TAboutForm() override;

  platform::TPanel* Panel1;
  platform::TImage* Image1;
  platform::TLabel* Label1;
  platform::TLabel* Label2;
  platform::TLabel* Label3;
  platform::TButton* Button1;
};
