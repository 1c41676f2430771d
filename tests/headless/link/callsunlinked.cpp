// Linked only by the headless guard's test, as a library of the program is
// linked: it calls a function that nothing it links defines, so the link must
// fail rather than leave the symbol for a program to provide.
void rodoWidgetCallNobodyLinks();

void callWhatIsNotLinked()
{
    rodoWidgetCallNobodyLinks();
}
