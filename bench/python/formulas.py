# A loop of square roots, remainders and cut texts (bench/formulas.skb).
import math
import sys


# In a function, as a Python programmer writes it: names are locals, the fastest kind.
def main():
    n = int(sys.argv[1])
    s = 0
    for i in range(1, n + 1):
        s = s + int(math.sqrt(i)) + i % 7 + len("Serduszko"[i % 9:])
    print("Wynik:", s)


main()
