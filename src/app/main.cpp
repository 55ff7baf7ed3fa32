// Program entry (the window arrives with the UI layer).
int main() { return 0; }
