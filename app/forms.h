#pragma once
// The program's phone book and its windows. The program entry makes them in
// this order, the phone book first, then the main window (whose making runs
// the start-up) and the secondary windows (windows/forms.h).

#include "windows/forms.h"

class PhoneBook;
class TForm1;

extern PhoneBook* Book;  // the active group and the group list every window shares
extern TForm1* Form1;    // Unit1: main window "Telefika 2003 v2.0"

// Makes the phone book and the windows in order.
void createForms();
// Destroys them all (the end of the program, or of a test).
void destroyForms();
