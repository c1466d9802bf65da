// Linked with one layer's whole library and the layers below it, and never run: the link
// itself is the check that the layer calls nothing above it.
int main() { return 0; }
