/* The start-up anchor for Tarnwick --version: a program that prints four
   lines and is linked against the same shared libraries. */
#include <stdio.h>

int main(void) {
    fputs("one\ntwo\nthree\nfour\n", stdout);
    return 0;
}
