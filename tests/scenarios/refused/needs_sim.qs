fault visa missing
