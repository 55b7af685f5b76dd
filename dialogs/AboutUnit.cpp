// The About box, from its form description.
#include "dialogs/AboutUnit.h"

TAboutForm::TAboutForm(TAboutForm*& self) : TForm(self) {
  LoadDescription("AboutForm");
  Panel1 = &Component<platform::TPanel>("Panel1");
  Image1 = &Component<platform::TImage>("Image1");
  Label1 = &Component<platform::TLabel>("Label1");
  Label2 = &Component<platform::TLabel>("Label2");
  Label3 = &Component<platform::TLabel>("Label3");
  Button1 = &Component<platform::TButton>("Button1");
  DoCreate();
}

TAboutForm::~TAboutForm() {
  DoDestroy();
}
