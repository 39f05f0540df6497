# Squares written into a list one by one, then added up again (bench/array.skb).
import sys


# In a function, as a Python programmer writes it: names are locals, the fastest kind.
def main():
    n = int(sys.argv[1])
    t = []
    for i in range(1, n + 1):
        t.append(i * i)
    s = 0
    for i in range(n):
        s = s + t[i]
    print("Suma:", s)


main()
