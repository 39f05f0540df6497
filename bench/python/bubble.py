# Bubble sort of n numbers in reverse order (bench/bubble.skb).
import sys


# In a function, as a Python programmer writes it: names are locals, the fastest kind.
def main():
    n = int(sys.argv[1])
    t = []
    for i in range(1, n + 1):
        t.append(n - i + 1)
    for i in range(1, n):
        for j in range(n - i):
            if t[j] > t[j + 1]:
                t[j], t[j + 1] = t[j + 1], t[j]
    print("Pierwszy: " + str(t[0]) + ", ostatni:", t[n - 1])


main()
