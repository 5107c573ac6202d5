// Carries six icons for the icon chooser's tests; it is never run.
int main() { return 0; }
