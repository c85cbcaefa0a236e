// mirt2: the IDE program.
int main() { return 0; }
