# A loop of square roots, remainders and cut texts (bench/formulas.skb).
import math
import sys

n = int(sys.argv[1])
s = 0
for i in range(1, n + 1):
    s = s + int(math.sqrt(i)) + i % 7 + len("Serduszko"[i % 9:])
print("Wynik:", s)
